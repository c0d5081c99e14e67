// Start-up: the time from starting the program to its first window being mapped on a private
// X server (Xvfb), against an empty Qt Widgets window of the same size, over many pairs run
// alternately. Reports both medians and the median of the per-pair ratios; the target is 1.3.
// It also times the empty window with one line of text: the font set-up that any window with
// words pays, which the empty window does not; the program against that window says how much
// start-up is the program's own.
//   build/bench/bench_avvio [COPPIE] [PROGRAMMA]     (20 pairs, the melodora of the build)
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace {

struct Schermo {
    xcb_connection_t* x = nullptr;
    xcb_window_t radice = 0;
};

// Milliseconds from spawning @p argomenti to the first top-level window it maps; the
// window's size goes to @p larghezza, @p altezza. -1 when nothing is mapped within 20 s.
double avvia(Schermo& s, const std::vector<std::string>& argomenti, int* larghezza = nullptr,
    int* altezza = nullptr)
{
    std::vector<char*> argv;
    for (const std::string& a : argomenti)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto inizio = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    double ms = -1;
    xcb_window_t finestra = 0;
    while (ms < 0) {
        xcb_generic_event_t* e = xcb_poll_for_event(s.x);
        if (!e) {
            pollfd p { xcb_get_file_descriptor(s.x), POLLIN, 0 };
            const auto trascorso = std::chrono::steady_clock::now() - inizio;
            if (trascorso > std::chrono::seconds(20) || poll(&p, 1, 100) < 0)
                break;
            continue;
        }
        if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            auto* m = reinterpret_cast<xcb_map_notify_event_t*>(e);
            if (!m->override_redirect) {
                ms = std::chrono::duration<double, std::milli>(
                    std::chrono::steady_clock::now() - inizio)
                         .count();
                finestra = m->window;
            }
        }
        free(e);
    }
    if (finestra && larghezza) {
        auto* g = xcb_get_geometry_reply(s.x, xcb_get_geometry(s.x, finestra), nullptr);
        if (g) {
            *larghezza = g->width;
            *altezza = g->height;
            free(g);
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return ms;
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int coppie = argc > 1 ? atoi(argv[1]) : 20;
    const QString cartella = QCoreApplication::applicationDirPath();
    const std::string programma = argc > 2
        ? std::string(argv[2])
        : QDir::cleanPath(cartella + QStringLiteral("/../melodora")).toStdString();
    const std::string vuota = (cartella + QStringLiteral("/bench_finestra_vuota")).toStdString();

    // A private X server without a window manager, and a private home and runtime folder.
    QTemporaryDir lavoro;
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
            QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
            QStringLiteral("tcp") });
    if (!xvfb.waitForReadyRead(10000)) {
        std::fprintf(stderr, "Xvfb non è partito\n");
        return 2;
    }
    const QByteArray display = ':' + xvfb.readLine().trimmed();
    qputenv("DISPLAY", display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("HOME", lavoro.path().toUtf8());
    QDir(lavoro.path()).mkdir(QStringLiteral("xdg"));
    QFile::setPermissions(lavoro.filePath(QStringLiteral("xdg")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", lavoro.filePath(QStringLiteral("xdg")).toUtf8());

    Schermo s;
    s.x = xcb_connect(display.constData(), nullptr);
    if (xcb_connection_has_error(s.x)) {
        std::fprintf(stderr, "nessuna connessione a %s\n", display.constData());
        return 2;
    }
    s.radice = xcb_setup_roots_iterator(xcb_get_setup(s.x)).data->root;
    const uint32_t maschera = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(s.x, s.radice, XCB_CW_EVENT_MASK, &maschera);
    xcb_flush(s.x);

    // One run of each first, uncounted: it fills the disk cache and gives the window's size.
    int w = 0, h = 0;
    if (avvia(s, { programma }, &w, &h) < 0) {
        std::fprintf(stderr, "%s non ha aperto una finestra\n", programma.c_str());
        return 2;
    }
    const std::vector<std::string> riferimento = { vuota, std::to_string(w), std::to_string(h) };
    avvia(s, riferimento);

    // The same window with one line of text: the floor of any window with words in it.
    std::vector<std::string> scritta = riferimento;
    scritta.push_back("Archivio");
    avvia(s, scritta);

    std::vector<double> tempi, vuoti, scritte, rapporti, pavimento, aScritta;
    for (int i = 0; i < coppie; ++i) {
        // Alternate the order, so that a slow drift of the machine hits all alike.
        double a = 0, b = 0, c = 0;
        if (i % 2) {
            c = avvia(s, scritta);
            b = avvia(s, riferimento);
            a = avvia(s, { programma });
        } else {
            a = avvia(s, { programma });
            b = avvia(s, riferimento);
            c = avvia(s, scritta);
        }
        if (a < 0 || b < 0 || c < 0) {
            std::fprintf(stderr, "coppia %d: una finestra non è comparsa\n", i + 1);
            return 2;
        }
        tempi.push_back(a);
        vuoti.push_back(b);
        scritte.push_back(c);
        rapporti.push_back(a / b);
        pavimento.push_back(c / b);
        aScritta.push_back(a / c);
    }
    xcb_disconnect(s.x);
    xvfb.terminate();
    xvfb.waitForFinished();

    const double r = mediana(rapporti);
    std::printf("finestra %dx%d, %d coppie\n", w, h, coppie);
    std::printf("melodora:        mediana %.1f ms (min %.1f)\n", mediana(tempi),
        *std::min_element(tempi.begin(), tempi.end()));
    std::printf("finestra vuota:  mediana %.1f ms (min %.1f)\n", mediana(vuoti),
        *std::min_element(vuoti.begin(), vuoti.end()));
    std::printf("con una scritta: mediana %.1f ms (min %.1f)\n", mediana(scritte),
        *std::min_element(scritte.begin(), scritte.end()));
    std::printf("finestra vuota con una scritta, rispetto alla vuota: %.2f\n", mediana(pavimento));
    std::printf("melodora rispetto alla finestra con una scritta: %.2f\n", mediana(aScritta));
    std::printf("rapporto (mediana delle coppie): %.2f, obiettivo 1.30: %s\n", r,
        r <= 1.3 ? "raggiunto" : "NON raggiunto");
    return r <= 1.3 ? 0 : 1;
}
