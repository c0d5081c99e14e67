#include "platform/MixerAlsa.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <mutex>

namespace melodora {

namespace {

    const char* const kDispositivo = "default";

    // ALSA writes its complaints straight to stderr; a missing card or server is an
    // ordinary case here, reported to the user by the window.
    void silenzia(const char*, int, const char*, int, const char*, ...) { }

    struct ChiudiMixer {
        void operator()(snd_mixer_t* h) const { snd_mixer_close(h); }
    };
    using ManigliaMixer = std::unique_ptr<snd_mixer_t, ChiudiMixer>;

    snd_mixer_elem_t* cercaElemento(snd_mixer_t* h, const char* nome)
    {
        snd_mixer_selem_id_t* sid = nullptr;
        snd_mixer_selem_id_alloca(&sid);
        snd_mixer_selem_id_set_name(sid, nome);
        snd_mixer_selem_id_set_index(sid, 0);
        snd_mixer_elem_t* e = snd_mixer_find_selem(h, sid);
        return e && snd_mixer_selem_has_playback_volume(e) ? e : nullptr;
    }

    class AlsaMixer : public Mixer {
    public:
        AlsaMixer(ManigliaMixer h, bool eventiSenzaAttesa)
            : m_h(std::move(h))
            , m_eventiSenzaAttesa(eventiSenzaAttesa)
        {
        }

        std::optional<ControlloVolume> controlloVolume() override
        {
            snd_mixer_elem_t* e = cercaElemento(m_h.get(), "Master");
            if (!e)
                e = cercaElemento(m_h.get(), "PCM");
            for (snd_mixer_elem_t* i = snd_mixer_first_elem(m_h.get()); !e && i;
                 i = snd_mixer_elem_next(i)) {
                if (snd_mixer_selem_has_playback_volume(i))
                    e = i;
            }
            if (!e)
                return std::nullopt;
            long minimo = 0;
            long massimo = 0;
            if (snd_mixer_selem_get_playback_volume_range(e, &minimo, &massimo) < 0)
                return std::nullopt;
            m_elemento = e;
            return ControlloVolume { QString::fromUtf8(snd_mixer_selem_get_name(e)), minimo,
                massimo };
        }

        std::optional<long> leggiVolume(const ControlloVolume& controllo) override
        {
            snd_mixer_elem_t* e = elemento(controllo);
            if (!e)
                return std::nullopt;
            std::optional<long> piuAlto;
            for (int c = 0; c <= SND_MIXER_SCHN_LAST; ++c) {
                const auto canale = static_cast<snd_mixer_selem_channel_id_t>(c);
                long valore = 0;
                if (snd_mixer_selem_has_playback_channel(e, canale)
                    && snd_mixer_selem_get_playback_volume(e, canale, &valore) >= 0)
                    piuAlto = std::max(piuAlto.value_or(valore), valore);
            }
            return piuAlto;
        }

        bool impostaVolume(const ControlloVolume& controllo, long valore) override
        {
            snd_mixer_elem_t* e = elemento(controllo);
            if (!e)
                return false;
            long minimo = 0;
            long massimo = 0;
            if (snd_mixer_selem_get_playback_volume_range(e, &minimo, &massimo) < 0)
                return false;
            // Out of range values are dropped silently by ALSA; the slider's bottom is
            // 0 even where the control's minimum is not.
            valore = std::clamp(valore, minimo, massimo);
            return snd_mixer_selem_set_playback_volume_all(e, valore) >= 0;
        }

    private:
        /**
         * The element of @p controllo, up to date: the simple mixer caches values (and skips
         * a write equal to its cached one), and that cache goes stale as soon as another
         * program moves the volume, so the pending change notices are taken in first.
         */
        snd_mixer_elem_t* elemento(const ControlloVolume& controllo)
        {
            snd_mixer_elem_t* e = m_elemento;
            if (!e || controllo.nome != QString::fromUtf8(snd_mixer_selem_get_name(e)))
                e = cercaElemento(m_h.get(), controllo.nome.toUtf8().constData());
            if (e && m_eventiSenzaAttesa)
                snd_mixer_handle_events(m_h.get());
            return e;
        }

        ManigliaMixer m_h;
        bool m_eventiSenzaAttesa;
        snd_mixer_elem_t* m_elemento = nullptr;
    };

} // namespace

std::unique_ptr<Mixer> AlsaMixerService::apri()
{
    static std::once_flag silenziato;
    std::call_once(silenziato, [] { snd_lib_error_set_handler(silenzia); });

    snd_mixer_t* grezzo = nullptr;
    if (snd_mixer_open(&grezzo, 0) < 0)
        return nullptr;
    ManigliaMixer h(grezzo);
    if (snd_mixer_attach(h.get(), kDispositivo) < 0
        || snd_mixer_selem_register(h.get(), nullptr, nullptr) < 0 || snd_mixer_load(h.get()) < 0)
        return nullptr;
    // Reading change notices must never block: with a blocking control device the
    // read after the last pending notice would wait for the next one.
    snd_hctl_t* hctl = nullptr;
    const bool senzaAttesa = snd_mixer_get_hctl(h.get(), kDispositivo, &hctl) >= 0
        && snd_ctl_nonblock(snd_hctl_ctl(hctl), 1) >= 0;
    return std::make_unique<AlsaMixer>(std::move(h), senzaAttesa);
}

} // namespace melodora
