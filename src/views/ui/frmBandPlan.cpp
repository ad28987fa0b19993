#include "views/ui/frmBandPlan.h"

#include "platform/Prompts.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace velm {

const QString frmBandPlan::Title = QStringLiteral("Frequency Privileges");

namespace {

// Positions as fractions of the window, the layout the drawing's own fractions fit around.
QRect scaled(const QSize& size, double left, double top, double width, double height)
{
    return QRect(qRound(left * size.width()), qRound(top * size.height()), qRound(width * size.width()),
                 qRound(height * size.height()));
}

constexpr double kLineTop = 0.13;

} // namespace

frmBandPlan::frmBandPlan(const QString& programFolder, Prompts& prompts, QRect workArea, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBandPlan"));
    setWindowTitle(Title);
    setAttribute(Qt::WA_DeleteOnClose);
    const QSize size = workArea.size().isValid() ? workArea.size() : QSize(800, 600);
    setFixedSize(size);
    move(workArea.isValid() ? workArea.topLeft() : QPoint(0, 0));
    // Fonts grow with the screen as the other windows' do (the width in twips over 9600), at most 1.5 times.
    m_fontFactor = qMin(1.5, size.width() * 15.0 / 9600.0);

    drawingArea = new QWidget(this);
    drawingArea->setObjectName(QStringLiteral("privileges"));
    drawingArea->setAccessibleName(QStringLiteral("Privileges"));
    drawingArea->setGeometry(rect());

    const auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Frequencies Effective"));
    Label1->setGeometry(scaled(size, 0.02, 0.01, 0.45, 0.04));
    Label2 = label("Label2", QStringLiteral("Privelages"));
    Label2->setGeometry(scaled(size, 0.25, 0.05, 0.5, 0.06));
    Label2->setAlignment(Qt::AlignCenter);
    QFont titleFont(QStringLiteral("Arial Narrow"));
    titleFont.setPointSizeF(14 * m_fontFactor);
    titleFont.setBold(true);
    Label2->setFont(titleFont);
    Label3 = label("Label3", QStringLiteral("CW"));
    Label3->setGeometry(scaled(size, 0.80, 0.02, 0.07, 0.04));
    Label4 = label("Label4", QStringLiteral("Phone"));
    Label4->setGeometry(scaled(size, 0.88, 0.02, 0.07, 0.04));
    for (QLabel* legend : {Label3, Label4})
        legend->setAlignment(Qt::AlignCenter);
    Label3->setStyleSheet(QStringLiteral("background-color: #0000ff; color: #ffffff;"));
    Label4->setStyleSheet(QStringLiteral("background-color: #00ff00; color: #000000;"));
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setGeometry(scaled(size, 0.02, kLineTop, 0.96, 0.005));

    const QList<LicenceClass>& classes = licenceClasses();
    for (int i = 0; i < classes.size(); ++i) {
        auto* button = new QPushButton(classes[i].caption, this);
        button->setObjectName(QStringLiteral("Command%1").arg(i + 1));
        button->setGeometry(scaled(size, 0.04 + i * 0.13, 0.93, 0.12, 0.05));
        connect(button, &QPushButton::clicked, this, [this, i] { classClicked(i); });
        Command.append(button);
    }
    Command7 = new QPushButton(QStringLiteral("Done"), this);
    Command7->setObjectName(QStringLiteral("Command7"));
    Command7->setGeometry(scaled(size, 0.84, 0.93, 0.12, 0.05));
    connect(Command7, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    Command7->setDefault(true);

    m_plan = readBandPlan(programFolder);
    Label1->setText(QStringLiteral("Frequencies Effective: ") + m_plan.EffectiveDate);
    if (!m_plan.ok) {
        prompts.message(bandplan::UnavailableText, bandplan::UnavailableTitle, MessageIcon::Information);
        return;
    }
    Label2->setText(classes.last().title);
    DrawPrivileges(classes.last().letter);
    Command.last()->setFocus();
}

void frmBandPlan::classClicked(int index)
{
    const LicenceClass& chosen = licenceClasses().at(index);
    Label2->setText(chosen.title);
    DrawPrivileges(chosen.letter);
}

void frmBandPlan::DrawPrivileges(const QString& licenceClass)
{
    // The earlier drawing goes first, last element first.
    while (!m_elements.isEmpty())
        delete m_elements.takeLast();
    m_drawing = velm::DrawPrivileges(m_plan.rows, licenceClass, QSizeF(size()), Line1->geometry().top(),
                                     m_fontFactor);
    for (const PrivilegeElement& element : m_drawing.elements)
        m_elements.append(render(element));
    drawingArea->setAccessibleDescription(m_drawing.description());
}

QLabel* frmBandPlan::render(const PrivilegeElement& element)
{
    auto* label = new QLabel(element.caption, drawingArea);
    label->setObjectName(element.name);
    label->setGeometry(element.rect.toRect());
    label->setAlignment(Qt::AlignCenter);
    label->setToolTip(element.toolTip);
    label->setAccessibleName(element.toolTip);
    label->setFrameShape(QFrame::Box);
    // A palette, not a style sheet: a style sheet per label costs more than the rest of the drawing.
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(element.back));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(element.fore));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    if (!element.fontFamily.isEmpty()) {
        QFont font(element.fontFamily);
        font.setPointSizeF(qMax(1.0, element.fontSize));
        font.setBold(element.bold);
        label->setFont(font);
    }
    label->show();
    if (element.kind == PrivilegeElement::Kind::Segment)
        label->raise(); // over the black bar
    return label;
}

} // namespace velm
