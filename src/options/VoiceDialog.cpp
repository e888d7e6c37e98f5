#include "options/VoiceDialog.h"

#include "base/Language.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace lumina {

namespace {

// Sliders work in tenths of the engine's -1..1 and 0..1 ranges.
constexpr int kSteps = 10;

QSlider *slider(const char *name, int low, int high, double value)
{
    auto *s = new QSlider(Qt::Horizontal);
    s->setObjectName(QLatin1StringView(name));
    s->setRange(low, high);
    s->setValue(qRound(value * kSteps));
    s->setTickPosition(QSlider::TicksBelow);
    s->setPageStep(1);
    return s;
}

constexpr char kContext[] = "lumina::VoiceDialog";

// A caption set again at each change of language.
template<typename Widget>
Widget *translated(Widget *widget, const char *source, const char *property = "text")
{
    setTranslated(widget, property, kContext, source);
    return widget;
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
    translated(this, QT_TR_NOOP("音声の調節"), "windowTitle");

    engineList = new QComboBox;
    engineList->setObjectName(QStringLiteral("cboEngine"));
    engineList->addItems(speech().engines());
    languageList = new QComboBox;
    languageList->setObjectName(QStringLiteral("cboLanguage"));
    voiceList = new QComboBox;
    voiceList->setObjectName(QStringLiteral("cboVoice"));
    rateSlider = slider("sldRate", -kSteps, kSteps, m_original.rate);
    pitchSlider = slider("sldPitch", -kSteps, kSteps, m_original.pitch);
    volumeSlider = slider("sldVolume", 0, kSteps, m_original.volume);
    stateLabel = new QLabel;
    stateLabel->setObjectName(QStringLiteral("lblState"));

    auto *form = new QFormLayout;
    form->addRow(translated(new QLabel, QT_TR_NOOP("エンジン：")), engineList);
    form->addRow(translated(new QLabel, QT_TR_NOOP("言語：")), languageList);
    form->addRow(translated(new QLabel, QT_TR_NOOP("声：")), voiceList);
    form->addRow(translated(new QLabel, QT_TR_NOOP("速さ：")), rateSlider);
    form->addRow(translated(new QLabel, QT_TR_NOOP("高さ：")), pitchSlider);
    form->addRow(translated(new QLabel, QT_TR_NOOP("音量：")), volumeSlider);

    auto *sample = translated(new QPushButton, QT_TR_NOOP("試しに話す"));
    sample->setObjectName(QStringLiteral("cmdSample"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    translated(buttons->button(QDialogButtonBox::Cancel), QT_TR_NOOP("キャンセル"));
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
                                           : tr("音声合成を使えません（準備中か、エンジンがありません）"));
}

void VoiceDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateTexts(this);
        showState();
    }
    QDialog::changeEvent(event);
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
