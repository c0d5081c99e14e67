#include "platform/ServiziQt.h"

#include "platform/GestoreUrl.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace melodora {

Risposta QtMessageService::mostra(
    QWidget* parent, const QString& testo, const QString& titolo, Icona icona, Pulsanti pulsanti)
{
    QMessageBox box(parent);
    box.setWindowTitle(titolo);
    box.setText(testo);
    switch (icona) {
    case Icona::Nessuna:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icona::Esclamazione:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icona::Informazione:
        box.setIcon(QMessageBox::Information);
        break;
    case Icona::Domanda:
        box.setIcon(QMessageBox::Question);
        break;
    case Icona::Critica:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (pulsanti) {
    case Pulsanti::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Pulsanti::OkAnnulla:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Pulsanti::SiNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    // The buttons speak the program's language.
    if (auto* b = box.button(QMessageBox::Cancel))
        b->setText(QStringLiteral("Annulla"));
    if (auto* b = box.button(QMessageBox::Yes))
        b->setText(QStringLiteral("Sì"));
    if (auto* b = box.button(QMessageBox::No))
        b->setText(QStringLiteral("No"));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Risposta::Ok;
    case QMessageBox::Yes:
        return Risposta::Si;
    case QMessageBox::No:
        return Risposta::No;
    default:
        return Risposta::Annulla;
    }
}

void QtMessageService::beep() { QApplication::beep(); }

QtHelpService::~QtHelpService() { delete m_finestra.data(); }

void QtHelpService::impostaFileGuida(const QString& percorso) { m_file = percorso; }

void QtHelpService::mostraGuida(QWidget* parent)
{
    QFile f(m_file);
    if (!f.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(parent, QStringLiteral("Guida"),
            QStringLiteral("Impossibile aprire il file della guida:\n%1")
                .arg(QDir::toNativeSeparators(m_file)));
        return;
    }
    const QString html = QString::fromUtf8(f.readAll());
    if (!m_finestra) {
        // Not parented to a window: the about window replaces the main window, and the
        // help must survive that.
        auto* finestra = new QDialog(nullptr, Qt::Window);
        finestra->setAttribute(Qt::WA_DeleteOnClose);
        finestra->setObjectName(QStringLiteral("finestraGuida"));
        finestra->resize(640, 560);
        auto* layout = new QVBoxLayout(finestra);
        auto* browser = new QTextBrowser(finestra);
        browser->setObjectName(QStringLiteral("testoGuida"));
        browser->setOpenExternalLinks(false);
        layout->addWidget(browser);
        m_finestra = finestra;
    }
    auto* browser = m_finestra->findChild<QTextBrowser*>(QStringLiteral("testoGuida"));
    browser->setHtml(html);
    m_finestra->setWindowTitle(
        browser->documentTitle().isEmpty() ? QStringLiteral("Guida") : browser->documentTitle());
    browser->scrollToAnchor(QStringLiteral("indice"));
    m_finestra->show();
    m_finestra->raise();
    m_finestra->activateWindow();
}

void QtKeyService::inviaTasti(const QString& tasti)
{
    int tasto = 0;
    if (tasti == QLatin1String("{Tab}"))
        tasto = Qt::Key_Tab;
    else if (tasti == QLatin1String("{F1}"))
        tasto = Qt::Key_F1;
    if (tasto == 0)
        return;
    QWidget* bersaglio = QApplication::focusWidget();
    if (!bersaglio)
        bersaglio = QApplication::activeWindow();
    if (!bersaglio) {
        // Without a window manager no window is active: the key goes to the topmost
        // visible window, which is the one the user just clicked.
        const auto finestre = QApplication::topLevelWidgets();
        for (auto it = finestre.crbegin(); it != finestre.crend() && !bersaglio; ++it) {
            if ((*it)->isVisible() && (*it)->isWindow())
                bersaglio = *it;
        }
    }
    if (!bersaglio)
        return;
    // Posted, not sent: the key reaches the window after the current one is handled.
    QApplication::postEvent(bersaglio, new QKeyEvent(QEvent::KeyPress, tasto, Qt::NoModifier));
    QApplication::postEvent(bersaglio, new QKeyEvent(QEvent::KeyRelease, tasto, Qt::NoModifier));
}

namespace {
    // The visible text "Name (patterns)" plus, as Qt reads the last parenthesis for its
    // patterns, the patterns the dialog really uses. "*.*" would hide every file without
    // a dot in its name on this system; "all files" must list them, so it matches "*".
    QString filtroConModelli(const QString& filtro)
    {
        static const QRegularExpression modelli(QStringLiteral("\\(([^()]*)\\)\\s*$"));
        const QRegularExpressionMatch m = modelli.match(filtro);
        QStringList elenco
            = (m.hasMatch() ? m.captured(1) : filtro).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString& modello : elenco) {
            if (modello == QLatin1String("*.*"))
                modello = QStringLiteral("*");
        }
        return filtro + QStringLiteral(" (") + elenco.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
}

QString QtFileDialogService::scegliFile(
    QWidget* parent, const QString& titolo, const QString& cartella, const QStringList& filtri)
{
    QFileDialog dialogo(parent, titolo, cartella);
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    // The list shows each filter's text as given; its patterns stay hidden behind it.
    dialogo.setOption(QFileDialog::HideNameFilterDetails);
    dialogo.setFileMode(QFileDialog::ExistingFile);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList conModelli;
    for (const QString& f : filtri)
        conModelli.append(filtroConModelli(f));
    dialogo.setNameFilters(conModelli);
    if (!conModelli.isEmpty())
        dialogo.selectNameFilter(conModelli.first());
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    return dialogo.selectedFiles().first();
}

bool QtShellService::apriUrl(const QUrl& url)
{
    // QDesktopServices answers true as soon as xdg-open starts, even when nothing handles
    // the address. A message must not be lost that way: the mail program the desktop
    // names for mailto: is found and started here, and only its start counts.
    if (url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) != 0)
        return QDesktopServices::openUrl(url);
    const std::optional<QString> gestore = gestorePredefinito(url.scheme().toLower());
    if (!gestore)
        return QDesktopServices::openUrl(url); // no xdg-mime to ask: the desktop decides
    const QString file = fileDesktop(*gestore);
    if (file.isEmpty())
        return false;
    const std::optional<RigaDiComando> comando
        = comandoDesktop(file, QString::fromLatin1(url.toEncoded()));
    if (!comando)
        return false;
    if (comando->terminale)
        return QDesktopServices::openUrl(url); // a terminal program: xdg-open finds the terminal
    return QProcess::startDetached(comando->programma, comando->argomenti, comando->cartella);
}

FiltroF1::FiltroF1(HelpService& guida, QObject* parent)
    : QObject(parent)
    , m_guida(guida)
{
}

bool FiltroF1::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(evento)->key() == Qt::Key_F1
        && oggetto->isWidgetType()) {
        m_guida.mostraGuida(static_cast<QWidget*>(oggetto)->window());
        return true;
    }
    return QObject::eventFilter(oggetto, evento);
}

} // namespace melodora
