#include "lists/OrdineAlfabetico.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <vector>

namespace melodora {

namespace {
    int segno(int r) { return (r > 0) - (r < 0); }

    // Italian collation from ICU. Blanks and punctuation are not ignored (ICU's default
    // for Italian), so "Rock - Uno" sorts before "Rock and Roll".
    QCollator collatore(Qt::CaseSensitivity maiuscole)
    {
        QCollator c(QLocale(QLocale::Italian, QLocale::Italy));
        c.setCaseSensitivity(maiuscole);
        return c;
    }

    // One per thread: a collator is not safe to share between threads.
    const QCollator& senzaMaiuscole()
    {
        thread_local const QCollator c = collatore(Qt::CaseInsensitive);
        return c;
    }
    const QCollator& conMaiuscole()
    {
        thread_local const QCollator c = collatore(Qt::CaseSensitive);
        return c;
    }

    // Case decides only between texts equal without it (lower case first), and the code
    // units last, so that the order is total.
    int spareggio(QStringView a, QStringView b)
    {
        if (const int r = conMaiuscole().compare(a, b))
            return segno(r);
        return segno(a.compare(b));
    }
}

int confrontaAlfabetico(QStringView a, QStringView b)
{
    if (const int r = senzaMaiuscole().compare(a, b))
        return segno(r);
    return spareggio(a, b);
}

void ordinaAlfabetico(QStringList& voci)
{
    // Sort keys are computed once per entry: a long list is sorted at the cost of
    // comparing bytes.
    std::vector<QCollatorSortKey> chiavi;
    chiavi.reserve(static_cast<size_t>(voci.size()));
    for (const QString& v : voci)
        chiavi.push_back(senzaMaiuscole().sortKey(v));
    std::vector<qsizetype> ordine(static_cast<size_t>(voci.size()));
    std::iota(ordine.begin(), ordine.end(), 0);
    std::sort(ordine.begin(), ordine.end(), [&](qsizetype i, qsizetype j) {
        const int r = chiavi[static_cast<size_t>(i)].compare(chiavi[static_cast<size_t>(j)]);
        return r != 0 ? r < 0 : spareggio(voci.at(i), voci.at(j)) < 0;
    });
    QStringList ordinate;
    ordinate.reserve(voci.size());
    for (qsizetype i : ordine)
        ordinate.append(voci.at(i));
    voci = std::move(ordinate);
}

} // namespace melodora
