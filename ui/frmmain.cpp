#include "frmmain.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QStringView>

#include <limits>

#include "identity.h"
#include "key_codes.h"
#include "typed_key.h"

namespace zorv::ui {
namespace {

// Positions and sizes in pixels at 15 twips per pixel (96 dots per inch).
constexpr QRect kLabelGeometry(16, 24, 97, 25);
constexpr QRect kInputGeometry(112, 24, 393, 25);
constexpr QRect kButtonGeometry(512, 24, 97, 25);
constexpr QRect kOutputGeometry(16, 64, 593, 25);
constexpr QSize kClientSize(616, 97);

// The button's background is the desktop's colour for the caption text of an
// inactive window. Qt has no role for it, so the classic desktop scheme's value is
// used: a light grey under which the black button text stays readable.
constexpr QColor kInactiveCaptionText(212, 208, 200);

QFont ControlFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QLineEdit* MakeTextBox(QWidget* parent, const char* name, QRect geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1StringView(name));
    box->setGeometry(geometry);
    // Neither box limits its text: a long pasted text reaches the Convert command,
    // which answers it.
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

}  // namespace

frmmain::frmmain(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmmain"));
    setWindowTitle(QCoreApplication::applicationName() + QStringLiteral(" - Created by ") +
                   QLatin1StringView(kMakerAddress));
    setFixedSize(kClientSize);  // nothing is moved or resized while the program runs

    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Base));
    setPalette(windowPalette);
    setAutoFillBackground(true);

    // All four controls share one font. It is set on the window before they are made,
    // so that each inherits it from the start and none lays out its text in the
    // default font first. Message boxes are windows of their own and keep the
    // desktop's font.
    setFont(ControlFont());

    lblnumber = new QLabel(QStringLiteral("Enter Number"), this);
    lblnumber->setObjectName(QStringLiteral("lblnumber"));
    lblnumber->setGeometry(kLabelGeometry);
    lblnumber->setAutoFillBackground(true);
    QPalette labelPalette = lblnumber->palette();
    labelPalette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    labelPalette.setColor(QPalette::Window, QColor(255, 255, 255));
    lblnumber->setPalette(labelPalette);

    txtnumber = MakeTextBox(this, "txtnumber", kInputGeometry);
    lblnumber->setBuddy(txtnumber);  // screen readers name the input box by the label

    cmdresult = new QPushButton(QStringLiteral("Convert"), this);
    cmdresult->setObjectName(QStringLiteral("cmdresult"));
    cmdresult->setGeometry(kButtonGeometry);
    cmdresult->setAutoDefault(false);  // Enter belongs to the input box
    cmdresult->setDefault(false);
    QPalette buttonPalette = cmdresult->palette();
    buttonPalette.setColor(QPalette::Button, kInactiveCaptionText);
    cmdresult->setPalette(buttonPalette);

    txtword = MakeTextBox(this, "txtword", kOutputGeometry);
    txtword->setAccessibleName(QStringLiteral("Number in words"));
    txtword->setAccessibleDescription(
        QStringLiteral("The number written in English words, spaces included, ready to copy"));

    setTabOrder(txtnumber, cmdresult);
    setTabOrder(cmdresult, txtword);
    setTabOrder(txtword, txtnumber);
    txtnumber->setFocus();

    txtnumber->installEventFilter(this);
    txtword->installEventFilter(this);
    connect(cmdresult, &QPushButton::clicked, this, &frmmain::cmdresult_Click);
}

void frmmain::cmdresult_Click() { command_.cmdresult_Click(); }

void frmmain::txtnumber_KeyPress(std::int16_t& KeyAscii) {
    const command::TypedKey action = command::InputKeyAction(KeyAscii);
    if (action == command::TypedKey::Convert) {
        cmdresult_Click();
        return;  // a single-line box inserts nothing for Enter
    }
    if (action == command::TypedKey::Discard) KeyAscii = 0;
    txtword->setText(QString());
}

void frmmain::txtword_KeyPress(std::int16_t& KeyAscii) { KeyAscii = 0; }

bool frmmain::KeepCharacter(QObject* box, std::int16_t code) {
    if (box == txtnumber) txtnumber_KeyPress(code);
    else txtword_KeyPress(code);
    return code != 0;
}

bool frmmain::FilterKeyPress(QObject* box, QKeyEvent* event) {
    if (const auto code = KeyCode(*event)) return !KeepCharacter(box, *code);

    // A key that types several characters at once: each one passes the handler.
    const QString text = event->text();
    if (text.size() < 2) return false;
    QString kept;
    for (const QChar character : text) {
        if (character.unicode() < 0x20 || character.unicode() == 0x7f) return false;
        if (KeepCharacter(box, CharacterCode(character))) kept += character;
    }
    if (kept == text) return false;
    if (!kept.isEmpty()) static_cast<QLineEdit*>(box)->insert(kept);
    return true;
}

bool frmmain::FilterInputMethod(QObject* box, QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (resending_ || commit.isEmpty()) return false;
    QString kept;
    for (const QChar character : commit) {
        if (KeepCharacter(box, CharacterCode(character))) kept += character;
    }
    if (kept == commit) return false;

    // What the handlers discard must change nothing, so a commit that keeps no
    // character replaces no text either.
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    if (kept.isEmpty()) filtered.setCommitString(QString());
    else filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    resending_ = true;
    QCoreApplication::sendEvent(box, &filtered);
    resending_ = false;
    return true;
}

bool frmmain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtnumber || watched == txtword) {
        // Only KeyPress: ShortcutOverride must stay with the box, or window
        // shortcuts would fire in place of the discarded character.
        if (event->type() == QEvent::KeyPress) return FilterKeyPress(watched, static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::InputMethod) {
            return FilterInputMethod(watched, static_cast<QInputMethodEvent*>(event));
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::u16string_view frmmain::ReadInput() {
    input_ = txtnumber->text();
    return {reinterpret_cast<const char16_t*>(input_.utf16()), static_cast<std::size_t>(input_.size())};
}

void frmmain::SetOutput(std::u16string_view words) {
    txtword->setText(QStringView(words).toString());
    txtword->setCursorPosition(0);  // a long answer is read from its first word
}

void frmmain::ShowMessage(std::u16string_view prompt, std::u16string_view title) {
    // Built by hand: the static helpers of QMessageBox add an icon.
    QMessageBox box(QMessageBox::NoIcon, QStringView(title).toString(), QStringView(prompt).toString(), QMessageBox::Ok, this);
    box.exec();
}

}  // namespace zorv::ui
