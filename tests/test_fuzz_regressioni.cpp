// Every input the fuzzers keep (their seeds and the inputs that once made them fail)
// replayed through the same checks in the ordinary build, and the findings themselves.
#include "Bersagli.h"

#include <QDir>
#include <QtTest>

using namespace melodora::fuzz;

class TestFuzzRegressioni : public QObject {
    Q_OBJECT
private slots:
    void ogniBersaglioHaSemi();
    void ingressiConservati_data();
    void ingressiConservati();
};

namespace {
QString cartella(const char* tipo, const char* bersaglio)
{
    return QStringLiteral(MELODORA_CARTELLA_FUZZ "/%1/%2")
        .arg(QLatin1String(tipo), QLatin1String(bersaglio));
}
}

void TestFuzzRegressioni::ogniBersaglioHaSemi()
{
    for (const Bersaglio& b : kBersagli)
        QVERIFY2(!QDir(cartella("corpus", b.nome)).isEmpty(QDir::Files), b.nome);
}

void TestFuzzRegressioni::ingressiConservati_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("bersaglio");
    for (int i = 0; i < int(std::size(kBersagli)); ++i) {
        for (const char* tipo : { "regressions", "corpus" }) {
            const QDir dir(cartella(tipo, kBersagli[i].nome));
            for (const QString& nome : dir.entryList(QDir::Files, QDir::Name)) {
                const QString riga
                    = QStringLiteral("%1/%2/%3")
                          .arg(QLatin1String(tipo), QLatin1String(kBersagli[i].nome), nome);
                QTest::newRow(qPrintable(riga)) << dir.filePath(nome) << i;
            }
        }
    }
}

void TestFuzzRegressioni::ingressiConservati()
{
    QFETCH(QString, file);
    QFETCH(int, bersaglio);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QString difetto;
    QVERIFY2(kBersagli[bersaglio].prova(f.readAll(), difetto), qPrintable(difetto));
}

QTEST_GUILESS_MAIN(TestFuzzRegressioni)
#include "test_fuzz_regressioni.moc"
