#include "shell/frmabout.h"

#include "calc/basgeneral.h"
#include "shell/hyperlinklabel.h"
#include "zeptor_version.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("Pressure Drop Zeptor [information]");
const QString Disclaimer = QStringLiteral(
    "We put a lot of effort in making sure the results are accurate. We can, however, not "
    "take any responsibilty for using this program. Feedback is welcome. We love to hear "
    "from you. Please email us and include the version number and revision for reference. "
    "Visit my website for additional information.");
const QString DutchNote = QStringLiteral("(A Dutch version is also available)");

// The web page and the two credited roles. They are example.org addresses until the
// program has public ones.
const QString WebPage = QStringLiteral("https://zeptor.example.org/");
const QString WebCaption = QStringLiteral("Zeptor Web Site");
const QString Credit1Caption = QStringLiteral("Development");
const QString Credit1Target = QStringLiteral("mailto:development@example.org");
const QString Credit2Caption = QStringLiteral("Hydraulics review");
const QString Credit2Target = QStringLiteral("mailto:hydraulics@example.org");

// Code 211 of the Symbol font is the copyright sign; Unicode has it as U+00A9.
const QChar SymbolMark(0x00A9);

constexpr int SplashInterval = 5000; // ms

QIcon aboutIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/zeptor/about16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/zeptor/about32.png"), QSize(32, 32));
    return icon;
}

} // namespace

frmAbout::frmAbout(BasGeneral &general, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_general(general)
{
    setAttribute(Qt::WA_DeleteOnClose);
    buildWindow();
    Form_Load();
}

QString frmAbout::versionLine()
{
    return QStringLiteral("International Release %1.%2-Rev.%3")
        .arg(ZeptorVersion::major)
        .arg(ZeptorVersion::minor)
        .arg(ZeptorVersion::revision);
}

QLabel *frmAbout::Label1(int index) const
{
    if (index < 0 || index >= int(m_label1.size()))
        return nullptr;
    return m_label1[size_t(index)];
}

void frmAbout::buildWindow()
{
    setWindowTitle(Caption);
    setWindowIcon(aboutIcon());

    m_frame1 = new QFrame(this);
    m_frame1->setFrameShape(QFrame::Box);
    m_frame1->setFrameShadow(QFrame::Sunken);
    m_picture1 = new QLabel(m_frame1);
    m_picture1->setPixmap(aboutIcon().pixmap(QSize(32, 32)));
    m_picture1->setFixedSize(32, 32);
    auto *frameLayout = new QVBoxLayout(m_frame1);
    frameLayout->setContentsMargins(6, 6, 6, 6);
    frameLayout->addWidget(m_picture1);

    auto label = [this](int index, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setTextFormat(Qt::PlainText);
        m_label1[size_t(index)] = l;
        return l;
    };

    QLabel *title = label(2, QStringLiteral("Zeptor"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.5);
    titleFont.setBold(true);
    title->setFont(titleFont);

    m_label2 = new QLabel(QString(SymbolMark), this);
    QFont markFont = m_label2->font();
    markFont.setPointSizeF(markFont.pointSizeF() * 1.5);
    m_label2->setFont(markFont);
    m_label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    label(0, QStringLiteral("Major/Minor/Revision"));
    label(6, QStringLiteral("32 bits"));
    label(7, QString());

    m_link2 = new HyperLinkLabel(Credit1Caption, QUrl(Credit1Target), this);
    m_link3 = new HyperLinkLabel(Credit2Caption, QUrl(Credit2Target), this);

    m_label3 = new QLabel(Disclaimer, this);
    m_label3->setTextFormat(Qt::PlainText);
    m_label3->setWordWrap(true);

    label(8, DutchNote);
    m_link1 = new HyperLinkLabel(WebCaption, QUrl(WebPage), this);
    label(1, QStringLiteral("(%1)").arg(WebPage));

    m_command1 = new QPushButton(QStringLiteral("OK"), this);
    m_command1->setDefault(true);
    // OK holds the focus when the window comes up, so that Enter closes the splash
    // instead of following the first link.
    m_command1->setFocus(Qt::OtherFocusReason);
    connect(m_command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);

    auto *heading = new QHBoxLayout;
    heading->addWidget(m_frame1, 0, Qt::AlignTop);
    heading->addSpacing(8);
    heading->addWidget(title, 0, Qt::AlignVCenter);
    heading->addWidget(m_label2, 0, Qt::AlignTop);
    heading->addStretch(1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_command1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(m_label1[0]);
    layout->addWidget(m_label1[6]);
    layout->addWidget(m_label1[7]);
    layout->addWidget(m_link2);
    layout->addWidget(m_link3);
    layout->addSpacing(6);
    layout->addWidget(m_label3);
    layout->addWidget(m_label1[8]);
    layout->addSpacing(6);
    layout->addWidget(m_link1);
    layout->addWidget(m_label1[1]);
    layout->addSpacing(6);
    layout->addLayout(buttonRow);
    // Wide enough for the disclaimer to wrap into a few lines, not a column of words.
    m_label3->setMinimumWidth(360);

    m_timer1 = new QTimer(this);
    m_timer1->setInterval(SplashInterval);
    connect(m_timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);
}

void frmAbout::Form_Load()
{
    m_label1[0]->setText(versionLine());
    m_timer1->start();
}

void frmAbout::Timer1_Timer()
{
    BasGeneral &general = m_general;
    if (general.AboutTimerFired == 1)
        return;
    general.AboutTimerFired = 1;
    m_timer1->stop();
    close();
}

void frmAbout::Command1_Click()
{
    close();
}

// Escape closes the window as OK does.
void frmAbout::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        Command1_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}
