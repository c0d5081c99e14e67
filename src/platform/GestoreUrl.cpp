#include "platform/GestoreUrl.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace melodora {

namespace {
    constexpr int kAttesaMs = 5000;

    /** The keys of the [Desktop Entry] group, values with their string escapes undone. */
    struct VoceDesktop {
        QString exec, tryExec, nome, icona, cartella;
        bool nascosta = false;
        bool terminale = false;
    };

    QString togliEscape(const QString& valore)
    {
        QString out;
        out.reserve(valore.size());
        for (qsizetype i = 0; i < valore.size(); ++i) {
            const QChar c = valore.at(i);
            if (c != QLatin1Char('\\') || i + 1 == valore.size()) {
                out.append(c);
                continue;
            }
            switch (valore.at(++i).unicode()) {
            case 's':
                out.append(QLatin1Char(' '));
                break;
            case 'n':
                out.append(QLatin1Char('\n'));
                break;
            case 't':
                out.append(QLatin1Char('\t'));
                break;
            case 'r':
                out.append(QLatin1Char('\r'));
                break;
            case '\\':
                out.append(QLatin1Char('\\'));
                break;
            default: // not a string escape: left for the Exec quoting rules
                out.append(c);
                out.append(valore.at(i));
                break;
            }
        }
        return out;
    }

    std::optional<VoceDesktop> leggiVoce(const QString& percorso)
    {
        QFile f(percorso);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
            return std::nullopt;
        VoceDesktop voce;
        bool nelGruppo = false;
        const QStringList righe = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        for (const QString& grezza : righe) {
            const QString riga = grezza.trimmed();
            if (riga.startsWith(QLatin1Char('['))) {
                nelGruppo = riga == QLatin1String("[Desktop Entry]");
                continue;
            }
            const qsizetype uguale = riga.indexOf(QLatin1Char('='));
            if (!nelGruppo || riga.startsWith(QLatin1Char('#')) || uguale < 0)
                continue;
            const QString chiave = riga.left(uguale).trimmed();
            const QString valore = togliEscape(riga.mid(uguale + 1).trimmed());
            if (chiave == QLatin1String("Exec"))
                voce.exec = valore;
            else if (chiave == QLatin1String("TryExec"))
                voce.tryExec = valore;
            else if (chiave == QLatin1String("Name"))
                voce.nome = valore;
            else if (chiave == QLatin1String("Icon"))
                voce.icona = valore;
            else if (chiave == QLatin1String("Path"))
                voce.cartella = valore;
            else if (chiave == QLatin1String("Hidden"))
                voce.nascosta = valore == QLatin1String("true");
            else if (chiave == QLatin1String("Terminal"))
                voce.terminale = valore == QLatin1String("true");
        }
        return voce;
    }

    /** The Exec line split into arguments: blanks separate, double quotes group. */
    std::optional<QList<std::pair<QString, bool>>> argomentiExec(const QString& exec)
    {
        QList<std::pair<QString, bool>> argomenti; // text, quoted
        QString corrente;
        bool inCorso = false;
        bool virgolette = false;
        bool citato = false;
        for (qsizetype i = 0; i < exec.size(); ++i) {
            const QChar c = exec.at(i);
            if (virgolette) {
                if (c == QLatin1Char('"'))
                    virgolette = false;
                else if (c == QLatin1Char('\\') && i + 1 < exec.size())
                    corrente.append(exec.at(++i));
                else
                    corrente.append(c);
            } else if (c == QLatin1Char('"')) {
                virgolette = inCorso = citato = true;
            } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
                if (inCorso)
                    argomenti.append({ corrente, citato });
                corrente.clear();
                inCorso = citato = false;
            } else {
                corrente.append(c);
                inCorso = true;
            }
        }
        if (virgolette)
            return std::nullopt; // an unterminated quote: the entry is broken
        if (inCorso)
            argomenti.append({ corrente, citato });
        return argomenti;
    }

    bool programmaPresente(const QString& programma)
    {
        if (programma.contains(QLatin1Char('/')))
            return QFileInfo(programma).isExecutable();
        return !QStandardPaths::findExecutable(programma).isEmpty();
    }
}

std::optional<QString> gestorePredefinito(const QString& schema)
{
    QProcess xdgMime;
    xdgMime.start(QStringLiteral("xdg-mime"),
        { QStringLiteral("query"), QStringLiteral("default"),
            QStringLiteral("x-scheme-handler/") + schema });
    if (!xdgMime.waitForStarted(kAttesaMs))
        return std::nullopt;
    if (!xdgMime.waitForFinished(kAttesaMs)) {
        xdgMime.kill();
        xdgMime.waitForFinished(kAttesaMs);
        return QString(); // no answer is no handler
    }
    const QString risposta = QString::fromUtf8(xdgMime.readAllStandardOutput());
    return risposta.section(QLatin1Char('\n'), 0, 0).trimmed();
}

QString fileDesktop(const QString& id)
{
    if (id.isEmpty() || id.contains(QLatin1Char('/')))
        return {};
    const QString trovato = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    if (!trovato.isEmpty())
        return trovato;
    // An entry in a subfolder has its '/' written as '-' in its id ("kde-kmail.desktop").
    for (qsizetype i = id.indexOf(QLatin1Char('-')); i >= 0;
         i = id.indexOf(QLatin1Char('-'), i + 1)) {
        QString sotto = id;
        sotto[i] = QLatin1Char('/');
        const QString p = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, sotto);
        if (!p.isEmpty())
            return p;
    }
    return {};
}

std::optional<RigaDiComando> comandoDesktop(const QString& percorso, const QString& url)
{
    const std::optional<VoceDesktop> voce = leggiVoce(percorso);
    if (!voce || voce->nascosta || voce->exec.isEmpty())
        return std::nullopt;
    if (!voce->tryExec.isEmpty() && !programmaPresente(voce->tryExec))
        return std::nullopt;
    const auto argomenti = argomentiExec(voce->exec);
    if (!argomenti)
        return std::nullopt;
    QStringList riga;
    bool urlMesso = false;
    for (const auto& [testo, citato] : *argomenti) {
        if (citato) {
            riga.append(testo); // field codes do not belong inside quotes
            continue;
        }
        if (testo == QLatin1String("%i")) {
            if (!voce->icona.isEmpty())
                riga << QStringLiteral("--icon") << voce->icona;
            continue;
        }
        QString arg;
        bool soloCodice = true; // an argument made of a dropped field code disappears
        for (qsizetype i = 0; i < testo.size(); ++i) {
            if (testo.at(i) != QLatin1Char('%') || i + 1 == testo.size()) {
                arg.append(testo.at(i));
                soloCodice = false;
                continue;
            }
            switch (testo.at(++i).unicode()) {
            case 'u':
            case 'U':
            case 'f':
            case 'F':
                arg.append(url);
                urlMesso = true;
                soloCodice = false;
                break;
            case 'c':
                arg.append(voce->nome);
                soloCodice = false;
                break;
            case 'k':
                arg.append(percorso);
                soloCodice = false;
                break;
            case '%':
                arg.append(QLatin1Char('%'));
                soloCodice = false;
                break;
            default: // deprecated or unknown codes expand to nothing
                break;
            }
        }
        if (!soloCodice)
            riga.append(arg);
    }
    if (riga.isEmpty())
        return std::nullopt;
    if (!urlMesso)
        riga.append(url); // a line with no place for the URL gets it at the end
    RigaDiComando comando;
    comando.programma = riga.takeFirst();
    comando.argomenti = riga;
    comando.cartella = voce->cartella;
    comando.terminale = voce->terminale;
    return comando;
}

} // namespace melodora
