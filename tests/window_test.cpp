// Drives the real window with real key events on the offscreen platform.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFont>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

#include "application.h"
#include "frmmain.h"
#include "key_codes.h"

using zorv::ui::frmmain;

namespace {

struct ShownMessage {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    int buttonCount = 0;
    QFont font;
};

// Watches for the next modal message box, records it and closes it with OK.
class MessageCatcher {
public:
    MessageCatcher() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            timer_.stop();
            message = ShownMessage{box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                                   static_cast<int>(box->buttons().size()), box->font()};
            QTest::keyClick(box, Qt::Key_Return);  // OK
        });
        timer_.start();
    }
    std::optional<ShownMessage> message;

private:
    QTimer timer_;
};

// Types each character of `text` as a key press and release, non-ASCII ones included.
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(widget, character.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
        }
    }
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<frmmain> window;
    QLabel* lblnumber = nullptr;
    QLineEdit* txtnumber = nullptr;
    QPushButton* cmdresult = nullptr;
    QLineEdit* txtword = nullptr;

private slots:
    void initTestCase() { zorv::ui::ConfigureApplication(*qApp); }

    void init() {
        window = std::make_unique<frmmain>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        lblnumber = window->findChild<QLabel*>(QStringLiteral("lblnumber"));
        txtnumber = window->findChild<QLineEdit*>(QStringLiteral("txtnumber"));
        cmdresult = window->findChild<QPushButton*>(QStringLiteral("cmdresult"));
        txtword = window->findChild<QLineEdit*>(QStringLiteral("txtword"));
        QVERIFY(lblnumber && txtnumber && cmdresult && txtword);
    }

    void cleanup() { window.reset(); }

    void startsEmptyWithTheFocusInTheInputBox() {
        QCOMPARE(txtnumber->text(), QString());
        QCOMPARE(txtword->text(), QString());
        QCOMPARE(QApplication::focusWidget(), txtnumber);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("42"));
        QCOMPARE(txtnumber->text(), QStringLiteral("42"));
    }

    void typingKeepsOnlyDigitsPointsAndSlashes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("letters are dropped") << "12a3" << "123";
        QTest::newRow("points and slashes stay") << "1.2.3/4" << "1.2.3/4";
        QTest::newRow("signs and spaces are dropped") << "-5 +6" << "56";
        QTest::newRow("other characters are dropped") << QString::fromUtf8("7\xc3\xa9,8\xe2\x82\xac") << "78";
    }
    void typingKeepsOnlyDigitsPointsAndSlashes() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        TypeText(txtnumber, typed);
        QCOMPARE(txtnumber->text(), kept);
    }

    void everyTypedCharacterEmptiesTheOutput_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("digit") << int(Qt::Key_1) << int(Qt::NoModifier);
        QTest::newRow("discarded letter") << int(Qt::Key_A) << int(Qt::NoModifier);
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << int(Qt::NoModifier);
        QTest::newRow("escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
        QTest::newRow("ctrl+v") << int(Qt::Key_V) << int(Qt::ControlModifier);
    }
    void everyTypedCharacterEmptiesTheOutput() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        txtnumber->setText(QStringLiteral("12"));
        txtword->setText(QStringLiteral("Twelve "));
        QTest::keyClick(txtnumber, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(txtword->text(), QString());
    }

    void keysThatTypeNoCharacterLeaveTheOutput() {
        txtnumber->setText(QStringLiteral("123"));
        txtword->setText(QStringLiteral("words"));
        QTest::keyClick(txtnumber, Qt::Key_Home);
        QTest::keyClick(txtnumber, Qt::Key_Delete);
        QTest::keyClick(txtnumber, Qt::Key_Right);
        QCOMPARE(txtnumber->text(), QStringLiteral("23"));
        QCOMPARE(txtword->text(), QStringLiteral("words"));
    }

    void enterAndTheButtonShowTheWords() {
        QTest::keyClicks(txtnumber, QStringLiteral("1234.05"));
        QTest::keyClick(txtnumber, Qt::Key_Return);
        QCOMPARE(txtword->text(), QStringLiteral("One Thousand Two Hundred Thirty Four point zero Five "));
        QCOMPARE(txtnumber->text(), QStringLiteral("1234.05"));  // Enter inserts nothing

        txtword->clear();
        QTest::mouseClick(cmdresult, Qt::LeftButton);
        QCOMPARE(txtword->text(), QStringLiteral("One Thousand Two Hundred Thirty Four point zero Five "));

        txtword->clear();
        cmdresult->setFocus();
        QTest::keyClick(cmdresult, Qt::Key_Space);
        QCOMPARE(txtword->text(), QStringLiteral("One Thousand Two Hundred Thirty Four point zero Five "));

        txtword->clear();
        QTest::keyClick(txtnumber, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!txtword->text().isEmpty());
    }

    void aLongAnswerIsShownFromItsFirstWord() {
        QTest::keyClicks(txtnumber, QStringLiteral("45.") + QString(60, QLatin1Char('0')) + QStringLiteral("1"));
        QTest::keyClick(txtnumber, Qt::Key_Return);
        QVERIFY(txtword->text().startsWith(QStringLiteral("Fourty Five point zero")));
        QVERIFY(txtword->fontMetrics().horizontalAdvance(txtword->text()) > txtword->width());
        QCOMPARE(txtword->cursorPosition(), 0);
        QVERIFY(txtword->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < txtword->width() / 4);
    }

    void screenReadersHearWhatEachBoxHolds() {
        QAccessibleInterface* input = QAccessible::queryAccessibleInterface(txtnumber);
        QAccessibleInterface* output = QAccessible::queryAccessibleInterface(txtword);
        QVERIFY(input && output);
        QCOMPARE(input->text(QAccessible::Name), QStringLiteral("Enter Number"));
        QCOMPARE(output->text(QAccessible::Name), QStringLiteral("Number in words"));
        QVERIFY(output->text(QAccessible::Description).contains(QStringLiteral("words")));
        QCOMPARE(output->role(), QAccessible::EditableText);
    }

    void aSecondEnterShowsTheSameWordsWithoutEmptyingFirst() {
        QTest::keyClicks(txtnumber, QStringLiteral("25"));
        QTest::keyClick(txtnumber, Qt::Key_Return);
        QSignalSpy changes(txtword, &QLineEdit::textChanged);
        QTest::keyClick(txtnumber, Qt::Key_Return);
        QCOMPARE(txtword->text(), QStringLiteral("Twenty Five "));
        QCOMPARE(changes.count(), 0);
    }

    void messagesAreModalWithOneButtonNoIconAndTheTitle_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty input")
            << "" << "Enter any number up to fifteen digits before decimal and fifteen digits after decimal point.";
        QTest::newRow("sixteen digits") << "1000000000000000"
                                        << "Please enter any number up to fifteen digits before decimal and "
                                           "fifteen digits after decimal point.";
        QTest::newRow("a slash") << "1/2" << "Type mismatch";
    }
    void messagesAreModalWithOneButtonNoIconAndTheTitle() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QTest::keyClicks(txtnumber, typed);
        txtword->setText(QStringLiteral("earlier words"));
        MessageCatcher catcher;
        QTest::keyClick(txtnumber, Qt::Key_Return);
        QVERIFY(catcher.message.has_value());
        QCOMPARE(catcher.message->text, message);
        QCOMPARE(catcher.message->title, QStringLiteral("Zorv Number to Word Converter"));
        QCOMPARE(catcher.message->icon, QMessageBox::NoIcon);
        QCOMPARE(catcher.message->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(catcher.message->buttonCount, 1);
        QCOMPARE(catcher.message->font, QApplication::font());  // not the controls' bold font
        QCOMPARE(txtword->text(), QStringLiteral("earlier words"));
    }

    void ctrlVIsDiscardedWhileContextMenuPastePasses() {
        QApplication::clipboard()->setText(QStringLiteral("9a9"));
        QTest::keyClicks(txtnumber, QStringLiteral("1"));
        txtword->setText(QStringLiteral("words"));
        QTest::keyClick(txtnumber, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(txtnumber->text(), QStringLiteral("1"));
        QCOMPARE(txtword->text(), QString());

        txtnumber->paste();  // what the context menu's Paste does: no filter
        QCOMPARE(txtnumber->text(), QStringLiteral("19a9"));
    }

    void aLongPastedTextReachesTheCommand() {
        txtnumber->setText(QStringLiteral("5") + QString(40000, QLatin1Char(' ')));
        QCOMPARE(txtnumber->text().size(), 40001);
        MessageCatcher catcher;
        QTest::keyClick(txtnumber, Qt::Key_Return);
        QVERIFY(catcher.message.has_value());
        QCOMPARE(catcher.message->text, QStringLiteral("Overflow"));
    }

    void inputMethodCommitsPassTheSameFilter() {
        txtword->setText(QStringLiteral("words"));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("1a.2"));
        QCoreApplication::sendEvent(txtnumber, &commit);
        QCOMPARE(txtnumber->text(), QStringLiteral("1.2"));
        QCOMPARE(txtword->text(), QString());

        txtword->setText(QStringLiteral("words"));
        txtword->selectAll();
        QInputMethodEvent intoOutput;
        intoOutput.setCommitString(QStringLiteral("99"), -2, 2);
        QCoreApplication::sendEvent(txtword, &intoOutput);
        QCOMPARE(txtword->text(), QStringLiteral("words"));

        // A key typing several characters at once, none of them kept, over a selection.
        txtword->selectAll();
        QTest::sendKeyEvent(QTest::Press, txtword, Qt::Key_unknown, QStringLiteral("ab"), Qt::NoModifier);
        QCOMPARE(txtword->text(), QStringLiteral("words"));
        txtnumber->setText(QStringLiteral("12"));
        txtnumber->selectAll();
        QTest::sendKeyEvent(QTest::Press, txtnumber, Qt::Key_unknown, QStringLiteral("a5b"), Qt::NoModifier);
        QCOMPARE(txtnumber->text(), QStringLiteral("5"));
    }

    void theOutputBoxDiscardsEveryTypedCharacter() {
        txtword->setText(QStringLiteral("Twenty Five "));
        txtword->setCursorPosition(3);
        QTest::keyClicks(txtword, QStringLiteral("a1 ."));
        QTest::keyClick(txtword, Qt::Key_Return);
        QTest::keyClick(txtword, Qt::Key_Backspace);
        QTest::keyClick(txtword, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(txtword->text(), QStringLiteral("Twenty Five "));
        QTest::keyClick(txtword, Qt::Key_Delete);  // no character: the box acts on it
        QCOMPARE(txtword->text(), QStringLiteral("Twety Five "));
        QVERIFY(!txtword->isReadOnly());
    }

    void tabMovesFromInputToButtonToOutputAndBack() {
        QCOMPARE(QApplication::focusWidget(), txtnumber);
        const QWidget* expected[] = {cmdresult, txtword, txtnumber};
        for (const QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QCOMPARE(lblnumber->focusPolicy(), Qt::NoFocus);
    }

    void controlsSitWhereTheyBelongWithTheirFontAndColours() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Zorv Number to Word Converter - Created by www.example.com"));
        QCOMPARE(window->size(), QSize(616, 97));
        QCOMPARE(window->minimumSize(), window->maximumSize());  // resizing changes nothing
        QCOMPARE(window->palette().color(QPalette::Window), window->palette().color(QPalette::Base));

        const QWidget* controls[] = {lblnumber, txtnumber, cmdresult, txtword};
        const QRect geometries[] = {{16, 24, 97, 25}, {112, 24, 393, 25}, {512, 24, 97, 25}, {16, 64, 593, 25}};
        for (std::size_t i = 0; i < std::size(controls); ++i) {
            QCOMPARE(controls[i]->geometry(), geometries[i]);
            const QFont font = controls[i]->font();
            QCOMPARE(font.family(), QStringLiteral("Arial"));
            QCOMPARE(font.pointSizeF(), 9.75);
            QCOMPARE(font.weight(), QFont::Bold);
            QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        }
        QCOMPARE(lblnumber->text(), QStringLiteral("Enter Number"));
        QCOMPARE(cmdresult->text(), QStringLiteral("Convert"));
        QCOMPARE(lblnumber->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(lblnumber->palette().color(QPalette::Window), QColor(255, 255, 255));
        QVERIFY(lblnumber->autoFillBackground());
        QCOMPARE(cmdresult->palette().color(QPalette::Button), QColor(212, 208, 200));
        QVERIFY(!cmdresult->isDefault() && !cmdresult->autoDefault());
        QVERIFY(txtnumber->maxLength() > 1'000'000 && txtword->maxLength() > 1'000'000);
    }

    void theApplicationCarriesItsNameVersionAndIcon() {
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Zorv Number to Word Converter"));
        QCOMPARE(QApplication::applicationVersion(), QStringLiteral("1.00"));
        QCOMPARE(QApplication::organizationName(), QStringLiteral("www.example.com"));
        QVERIFY(QApplication::windowIcon().availableSizes().contains(QSize(32, 32)));

        QImageReader reader(QString::fromLatin1(zorv::ui::kIconPath));
        QCOMPARE(reader.imageCount(), 2);
        for (int i = 0; i < 2; ++i) {
            QVERIFY(reader.jumpToImage(i));
            QCOMPARE(reader.read().size(), QSize(32, 32));
        }
        // The icon directory: two entries, 8 and 32 bits per pixel.
        QFile file(QString::fromLatin1(zorv::ui::kIconPath));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ico = file.readAll();
        const auto word = [&](int at) { return int(uchar(ico[at])) | int(uchar(ico[at + 1])) << 8; };
        QCOMPARE(word(4), 2);
        QCOMPARE(word(6 + 6), 8);
        QCOMPARE(word(6 + 16 + 6), 32);
    }

    void keyEventsMapToTheCodesAKeyboardProduces_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");  // -1: no character
        QTest::newRow("return") << int(Qt::Key_Return) << 0 << "\r" << 13;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\b" << 8;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << "\x1b" << 27;
        QTest::newRow("ctrl+v from X") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16" << 22;
        QTest::newRow("ctrl+v offscreen") << int(Qt::Key_V) << int(Qt::ControlModifier) << "" << 22;
        QTest::newRow("ctrl+shift+z") << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::ShiftModifier) << "" << 26;
        QTest::newRow("ctrl+a") << int(Qt::Key_A) << int(Qt::ControlModifier) << "" << 1;
        QTest::newRow("ctrl+5") << int(Qt::Key_5) << int(Qt::ControlModifier) << "5" << -1;
        QTest::newRow("digit") << int(Qt::Key_7) << 0 << "7" << 55;
        QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::KeypadModifier) << "7" << 55;
        QTest::newRow("point") << int(Qt::Key_Period) << 0 << "." << 46;
        QTest::newRow("letter") << int(Qt::Key_A) << 0 << "a" << 97;
        QTest::newRow("latin-1 letter") << int(Qt::Key_Eacute) << 0 << QString(QChar(0xe9)) << 233;
        QTest::newRow("outside latin-1") << int(Qt::Key_unknown) << 0 << QString(QChar(0x20ac)) << 63;
        QTest::newRow("delete from X") << int(Qt::Key_Delete) << 0 << "\x7f" << -1;
        QTest::newRow("left") << int(Qt::Key_Left) << 0 << "" << -1;
        QTest::newRow("tab") << int(Qt::Key_Tab) << 0 << "\t" << -1;
        QTest::newRow("f1") << int(Qt::Key_F1) << 0 << "" << -1;
        QTest::newRow("home") << int(Qt::Key_Home) << 0 << "" << -1;
    }
    void keyEventsMapToTheCodesAKeyboardProduces() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        const auto mapped = zorv::ui::KeyCode(event);
        QCOMPARE(mapped.has_value() ? int(*mapped) : -1, code);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
