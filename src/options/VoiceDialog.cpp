#include "options/VoiceDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace lumina {

namespace {

// Sliders work in tenths of the engine's -1..1 and 0..1 ranges.
constexpr int kSteps = 10;

QSlider *slider(int low, int high, double value)
{
    auto *s = new QSlider(Qt::Horizontal);
    s->setRange(low, high);
    s->setValue(qRound(value * kSteps));
    s->setTickPosition(QSlider::TicksBelow);
    s->setPageStep(1);
    return s;
}

} // namespace

QString VoiceDialog::sampleSentence()
{
    return QStringLiteral("次は、市役所前です。お降りの方はお知らせください。");
}

VoiceDialog::VoiceDialog(QWidget *parent)
    : QDialog(parent)
    , m_original(speech().settings())
{
    setWindowTitle(QStringLiteral("音声の調節"));
    setObjectName(QStringLiteral("frmVoice"));

    engineList = new QComboBox;
    engineList->setObjectName(QStringLiteral("cboEngine"));
    engineList->addItems(speech().engines());
    languageList = new QComboBox;
    languageList->setObjectName(QStringLiteral("cboLanguage"));
    voiceList = new QComboBox;
    voiceList->setObjectName(QStringLiteral("cboVoice"));
    rateSlider = slider(-kSteps, kSteps, m_original.rate);
    pitchSlider = slider(-kSteps, kSteps, m_original.pitch);
    volumeSlider = slider(0, kSteps, m_original.volume);
    stateLabel = new QLabel;

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("エンジン："), engineList);
    form->addRow(QStringLiteral("言語："), languageList);
    form->addRow(QStringLiteral("声："), voiceList);
    form->addRow(QStringLiteral("速さ："), rateSlider);
    form->addRow(QStringLiteral("高さ："), pitchSlider);
    form->addRow(QStringLiteral("音量："), volumeSlider);

    auto *sample = new QPushButton(QStringLiteral("試しに話す"));
    sample->setObjectName(QStringLiteral("cmdSample"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->addButton(sample, QDialogButtonBox::ActionRole);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(stateLabel);
    layout->addWidget(buttons);

    fillVoices();
    showState();

    connect(buttons, &QDialogButtonBox::accepted, this, &VoiceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VoiceDialog::reject);
    connect(sample, &QPushButton::clicked, this, &VoiceDialog::speakSample);
    connectLists();
    for (QSlider *s : {rateSlider, pitchSlider, volumeSlider})
        connect(s, &QSlider::sliderReleased, this, &VoiceDialog::apply);
    connect(&speech(), &Speech::voicesChanged, this, &VoiceDialog::fillVoices);
    connect(&speech(), &Speech::readyChanged, this, &VoiceDialog::showState);
}

// A choice in a list takes effect at once; the lists further down follow it.
void VoiceDialog::connectLists()
{
    connect(engineList, &QComboBox::currentIndexChanged, this, [this] {
        if (m_filling)
            return;
        // Another engine has other languages and voices: its defaults
        // until they are known.
        languageList->clear();
        voiceList->clear();
        apply();
    });
    connect(languageList, &QComboBox::currentIndexChanged, this, [this] {
        if (m_filling)
            return;
        voiceList->clear();
        apply();
    });
    connect(voiceList, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            apply();
    });
}

void VoiceDialog::fillVoices()
{
    m_filling = true;
    const VoiceSettings running = speech().settings();
    languageList->clear();
    for (const QLocale &language : speech().languages()) {
        const QString native = language.nativeLanguageName();
        languageList->addItem(native.isEmpty() ? language.name()
                                               : QStringLiteral("%1 (%2)").arg(native, language.name()),
                              language.name());
    }
    languageList->setCurrentIndex(languageList->findData(running.language));
    voiceList->clear();
    for (const VoiceInfo &voice : speech().voices())
        voiceList->addItem(voice.name, voice.name);
    voiceList->setCurrentIndex(voiceList->findData(running.voice));
    // An engine not offered (none running yet) shows none chosen, as the
    // language and voice lists do.
    engineList->setCurrentIndex(engineList->findText(running.engine));
    m_filling = false;
}

void VoiceDialog::showState()
{
    stateLabel->setText(speech().isReady() ? QString()
                                           : QStringLiteral("音声合成を使えません（準備中か、エンジンがありません）"));
}

VoiceSettings VoiceDialog::current() const
{
    VoiceSettings s;
    s.engine = engineList->currentText();
    s.language = languageList->currentData().toString();
    s.voice = voiceList->currentData().toString();
    s.rate = double(rateSlider->value()) / kSteps;
    s.pitch = double(pitchSlider->value()) / kSteps;
    s.volume = double(volumeSlider->value()) / kSteps;
    return s;
}

void VoiceDialog::apply()
{
    const VoiceSettings wanted = current();
    if (!(wanted == speech().settings()))
        speech().start(wanted);
}

void VoiceDialog::speakSample()
{
    apply();
    speech().stop();
    speech().speak(sampleSentence());
}

void VoiceDialog::accept()
{
    apply();
    current().save();
    QDialog::accept();
}

void VoiceDialog::reject()
{
    speech().stop();
    if (!(m_original == speech().settings()))
        speech().start(m_original);
    QDialog::reject();
}

} // namespace lumina
