#include "ui/SoundBank.h"

#include <QFile>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QUrl>

namespace lumaro {

SoundBank::SoundBank(const QString& folder) {
    if (QMediaDevices::audioOutputs().isEmpty()) return;  // nowhere to play: stay silent
    static const char* files[13] = {nullptr,
                                    "sound-start.wav",    "sound-checker.wav", "sound-menu.wav",
                                    "sound-nomove.wav",   "sound-question.wav", "sound-dice.wav",
                                    "sound-cube.wav",     "sound-settings.wav", "sound-gameend.wav",
                                    "sound-chat-out.wav", "sound-chat-in.wav",  "sound-farewell.wav"};
    for (int n = 1; n <= 12; ++n) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(files[n]);
        if (!QFile::exists(path)) continue;
        auto effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
        players_[n] = std::move(effect);
    }
}

void SoundBank::play(Sound sound) {
    const int n = static_cast<int>(sound);
    if (n < 1 || n > 12 || !players_[n]) return;
    if (sound == Sound::Farewell) stopAll();
    players_[n]->play();
}

void SoundBank::stopAll() {
    for (auto& p : players_)
        if (p) p->stop();
}

}  // namespace lumaro
