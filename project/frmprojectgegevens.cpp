#include "project/frmprojectgegevens.h"

#include "calc/basgeneral.h"
#include "calc/dialogs.h"
#include "calc/dvlname.h"
#include "project/datetext.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace {

const QString Caption = QStringLiteral("Project Data");
const QString FrameCaption = QStringLiteral("Project Data");
const QString ClearCaption = QStringLiteral("Clear");
const QString OkCaption = QStringLiteral("OK");
const QString DateError
    = QStringLiteral("Sorry, error in date. Please use current date as an example ...");

enum Field { Date = 0, Project = 1, PipeName = 2, Owner = 3, File = 4 };

struct Row
{
    Field field;
    int labelIndex; // index in the Label1 array
    const char *caption;
};

// Top to bottom; also the tab order.
constexpr Row Rows[] = {
    {Project, 14, "Project"},
    {PipeName, 13, "Pipe name"},
    {Owner, 12, "Owner"},
    {Date, 0, "Date"},
    {File, 1, "File"},
};

// The window is drawn in twips: 1440 to the inch, so 15 to a pixel at 96 dpi. Qt's
// pixels are device independent and already follow the screen's scale. The whole
// drawing grows with the font, where the font needs taller fields than 285 twips.
constexpr double TwipsPerPixel = 15.0;
constexpr int FieldHeightTwips = 285;

class Twips
{
public:
    explicit Twips(double scale)
        : m_scale(scale)
    { }
    int operator()(int twips) const { return int(std::lround(twips / TwipsPerPixel * m_scale)); }
    QRect rect(int left, int top, int width, int height) const
    {
        return QRect((*this)(left), (*this)(top), (*this)(width), (*this)(height));
    }

private:
    double m_scale;
};

} // namespace

frmProjectgegevens::frmProjectgegevens(BasGeneral &general, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_general(general)
    , m_dialogs(dialogs)
{
    // "OK" and the close box both end the window; the next use builds it afresh from
    // the record.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Caption);
    buildWindow();
    showRecord();
}

frmProjectgegevens::~frmProjectgegevens()
{
    // The fields outlive this part of the object during teardown; their focus events
    // must not reach a half-destroyed window.
    m_closing = true;
    for (QLineEdit *field : m_text3)
        field->removeEventFilter(this);
}

QLabel *frmProjectgegevens::Label1(int index) const
{
    for (const Row &row : Rows) {
        if (row.labelIndex == index)
            return m_labels[size_t(row.field)];
    }
    return nullptr;
}

void frmProjectgegevens::buildWindow()
{
    QFont plainFont = font();
    plainFont.setBold(false);
    QFont boldFont = plainFont;
    boldFont.setBold(true);

    // The drawing grows with the font (1 when the font fits the twips).
    QLineEdit probe;
    probe.setFont(plainFont);
    const double needed = probe.sizeHint().height() * TwipsPerPixel;
    const Twips tw(std::max(1.0, needed / FieldHeightTwips));
    setFixedSize(tw(3900), tw(2955));

    // The frame's caption is bold, its contents are not.
    m_frame1 = new QGroupBox(FrameCaption, this);
    m_frame1->setFont(boldFont);
    m_frame1->setGeometry(tw.rect(90, 105, 3750, 2010));
    constexpr int RowTops[] = {315, 630, 945, 1260, 1575};
    for (size_t r = 0; r < std::size(Rows); ++r) {
        const Row &row = Rows[r];
        auto *label = new QLabel(QString::fromLatin1(row.caption), m_frame1);
        label->setFont(plainFont);
        label->setGeometry(tw.rect(90, RowTops[r], 1680 - 90 - 60, 240));
        auto *field = new QLineEdit(m_frame1);
        field->setFont(plainFont);
        field->setGeometry(tw.rect(1680, RowTops[r], 1905, FieldHeightTwips));
        field->installEventFilter(this);
        label->setBuddy(field);
        m_labels[size_t(row.field)] = label;
        m_text3[size_t(row.field)] = field;
    }

    m_frame2 = new QGroupBox(this);
    m_frame2->setGeometry(tw.rect(105, 2205, 3690, 645));
    m_clearForm = new QPushButton(ClearCaption, m_frame2);
    m_clearForm->setGeometry(tw.rect(105, 210, 1380, 330));
    m_command1 = new QPushButton(OkCaption, m_frame2);
    m_command1->setGeometry(tw.rect(2205, 210, 1380, 330));
    for (QPushButton *button : {m_clearForm, m_command1})
        button->setAutoDefault(true); // Enter on a focused button presses it
    connect(m_clearForm, &QPushButton::clicked, this, &frmProjectgegevens::ClearForm_Click);
    connect(m_command1, &QPushButton::clicked, this, &frmProjectgegevens::Command1_Click);

    QWidget *previous = m_text3[Rows[0].field];
    for (size_t r = 1; r < std::size(Rows); ++r) {
        setTabOrder(previous, m_text3[Rows[r].field]);
        previous = m_text3[Rows[r].field];
    }
    setTabOrder(previous, m_clearForm);
    setTabOrder(m_clearForm, m_command1);
    m_text3[Project]->setFocus(Qt::OtherFocusReason);
}

void frmProjectgegevens::showRecord()
{
    m_text3[Project]->setText(m_general.ProjectName);
    m_text3[PipeName]->setText(m_general.PipeName);
    m_text3[Owner]->setText(m_general.ProjectOwner);
    m_text3[Date]->setText(DateText::toText(m_general.ProjectDate));
    m_text3[File]->setText(m_general.ProjectFileName);
}

bool frmProjectgegevens::eventFilter(QObject *watched, QEvent *event)
{
    const int index = fieldIndex(watched);
    if (index >= 0 && event->type() == QEvent::FocusOut) {
        // Leaving the field commits it. A switch to another window, a message box or a
        // context menu only borrows the focus: the user has not left the field and
        // comes back to it, so nothing is checked yet.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Text3_LostFocus(index);
    }
    return QWidget::eventFilter(watched, event);
}

void frmProjectgegevens::closeEvent(QCloseEvent *event)
{
    // The close box keeps what the user typed, as leaving the field would; a close by
    // the program (the main window going away) asks nothing.
    if (!m_closing && event->spontaneous())
        commitFocusedField();
    m_closing = true;
    QWidget::closeEvent(event);
}

void frmProjectgegevens::Text3_LostFocus(int index)
{
    if (m_inLeaveCheck || m_closing)
        return;
    switch (index) {
    case Project:
        m_general.ProjectName = m_text3[Project]->text();
        break;
    case PipeName:
        m_general.PipeName = m_text3[PipeName]->text();
        break;
    case Owner:
        m_general.ProjectOwner = m_text3[Owner]->text();
        break;
    case Date:
        takeDate();
        break;
    case File:
        // The file name changes only by Load, Save as and Clear; the caption is set
        // again from the record, so it stays as it was.
        Q_EMIT captionChanged();
        break;
    default:
        break;
    }
}

void frmProjectgegevens::takeDate()
{
    QLineEdit *field = m_text3[Date];
    const QString text = field->text();
    // A date this window has shown goes back as it was, time of day included.
    if (text == DateText::toText(m_general.ProjectDate))
        return;
    if (const auto typed = DateText::parse(text)) {
        m_general.ProjectDate = *typed;
        return;
    }
    QPointer<frmProjectgegevens> self(this);
    m_inLeaveCheck = true;
    m_dialogs.messageBox(DateError);
    if (!self)
        return;
    m_inLeaveCheck = false;
    m_general.ProjectDate = CaseDate::today();
    field->setText(DateText::toText(m_general.ProjectDate));
}

void frmProjectgegevens::ClearForm_Click()
{
    m_general.ProjectDate = CaseDate::today();
    m_text3[Date]->setText(DateText::toText(m_general.ProjectDate));
    m_general.ProjectName = DvlFile::NewProjectName;
    m_text3[Project]->setText(m_general.ProjectName);
    m_general.PipeName.clear();
    m_general.ProjectOwner.clear();
    m_text3[PipeName]->clear();
    m_text3[Owner]->clear();
    m_general.ProjectFileName = DvlFile::fileNameFor(m_general.ProjectName);
    Q_EMIT captionChanged();
    m_text3[File]->setText(m_general.ProjectFileName);
}

void frmProjectgegevens::Command1_Click()
{
    if (m_closing || m_inLeaveCheck)
        return;
    // A click has already taken the focus from the field; Enter on the focused button
    // or a call by the program may not have.
    commitFocusedField();
    m_closing = true;
    close();
}

void frmProjectgegevens::commitFocusedField()
{
    const int index = fieldIndex(focusWidget());
    if (index >= 0)
        Text3_LostFocus(index);
}

int frmProjectgegevens::fieldIndex(const QObject *object) const
{
    for (size_t i = 0; i < m_text3.size(); ++i) {
        if (m_text3[i] == object)
            return int(i);
    }
    return -1;
}
