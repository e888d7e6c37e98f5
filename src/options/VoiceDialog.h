#pragma once

#include "sound/Speech.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QSlider;

namespace lumina {

// "音声の調節": the engine, the language, the voice, rate, pitch and volume of the
// announcements, with a sample sentence to listen to. Changes are heard at
// once; "OK" keeps them for this user, "キャンセル" goes back to what was in force.
class VoiceDialog : public QDialog
{
    Q_OBJECT

public:
    explicit VoiceDialog(QWidget *parent = nullptr);

    // The choice the dialog shows.
    VoiceSettings current() const;
    // Speaks the sample sentence with the choice shown.
    void speakSample();

    static QString sampleSentence();

    void accept() override;
    void reject() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void fillVoices();
    void connectLists();
    void showState();
    void apply();

    VoiceSettings m_original;
    bool m_filling = false;
    QComboBox *engineList = nullptr;
    QComboBox *languageList = nullptr;
    QComboBox *voiceList = nullptr;
    QSlider *rateSlider = nullptr;
    QSlider *pitchSlider = nullptr;
    QSlider *volumeSlider = nullptr;
    QLabel *stateLabel = nullptr;
};

} // namespace lumina
