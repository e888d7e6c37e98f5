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

    cboEngine = new QComboBox;
    cboEngine->setObjectName(QStringLiteral("cboEngine"));
    cboEngine->addItems(speech().engines());
    cboEngine->setCurrentIndex(cboEngine->findText(m_original.engine));
    cboLanguage = new QComboBox;
    cboLanguage->setObjectName(QStringLiteral("cboLanguage"));
    cboVoice = new QComboBox;
    cboVoice->setObjectName(QStringLiteral("cboVoice"));
    sldRate = slider(-kSteps, kSteps, m_original.rate);
    sldPitch = slider(-kSteps, kSteps, m_original.pitch);
    sldVolume = slider(0, kSteps, m_original.volume);
    lblState = new QLabel;

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("エンジン："), cboEngine);
    form->addRow(QStringLiteral("言語："), cboLanguage);
    form->addRow(QStringLiteral("声："), cboVoice);
    form->addRow(QStringLiteral("速さ："), sldRate);
    form->addRow(QStringLiteral("高さ："), sldPitch);
    form->addRow(QStringLiteral("音量："), sldVolume);

    auto *sample = new QPushButton(QStringLiteral("試しに話す"));
    sample->setObjectName(QStringLiteral("cmdSample"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->addButton(sample, QDialogButtonBox::ActionRole);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblState);
    layout->addWidget(buttons);

    fillVoices();
    showState();

    connect(buttons, &QDialogButtonBox::accepted, this, &VoiceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VoiceDialog::reject);
    connect(sample, &QPushButton::clicked, this, &VoiceDialog::speakSample);
    connect(cboEngine, &QComboBox::currentIndexChanged, this, [this] {
        if (m_filling)
            return;
        // Another engine has other languages and voices: its defaults
        // until they are known.
        cboLanguage->clear();
        cboVoice->clear();
        apply();
    });
    connect(cboLanguage, &QComboBox::currentIndexChanged, this, [this] {
        if (m_filling)
            return;
        cboVoice->clear();
        apply();
    });
    connect(cboVoice, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            apply();
    });
    for (QSlider *s : {sldRate, sldPitch, sldVolume})
        connect(s, &QSlider::sliderReleased, this, &VoiceDialog::apply);
    connect(&speech(), &Speech::voicesChanged, this, &VoiceDialog::fillVoices);
    connect(&speech(), &Speech::readyChanged, this, &VoiceDialog::showState);
}

void VoiceDialog::fillVoices()
{
    m_filling = true;
    const VoiceSettings running = speech().settings();
    cboLanguage->clear();
    for (const QLocale &language : speech().languages()) {
        const QString native = language.nativeLanguageName();
        cboLanguage->addItem(native.isEmpty() ? language.name()
                                              : QStringLiteral("%1 (%2)").arg(native, language.name()),
                             language.name());
    }
    cboLanguage->setCurrentIndex(cboLanguage->findData(running.language));
    cboVoice->clear();
    for (const VoiceInfo &voice : speech().voices())
        cboVoice->addItem(voice.name, voice.name);
    cboVoice->setCurrentIndex(cboVoice->findData(running.voice));
    const int engine = cboEngine->findText(running.engine);
    if (engine >= 0)
        cboEngine->setCurrentIndex(engine);
    m_filling = false;
}

void VoiceDialog::showState()
{
    lblState->setText(speech().isReady() ? QString()
                                         : QStringLiteral("音声合成を使えません（準備中か、エンジンがありません）"));
}

VoiceSettings VoiceDialog::current() const
{
    VoiceSettings s;
    s.engine = cboEngine->currentText();
    s.language = cboLanguage->currentData().toString();
    s.voice = cboVoice->currentData().toString();
    s.rate = double(sldRate->value()) / kSteps;
    s.pitch = double(sldPitch->value()) / kSteps;
    s.volume = double(sldVolume->value()) / kSteps;
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
