// Drives the real window with real key events on the offscreen platform.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFont>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

#include "application.h"
#include "frmmain.h"
#include "key_codes.h"
#include "outcomes.h"

using zorv::testing::ExpectedOutcomes;
using zorv::testing::OutcomeOf;
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

// The object a table of data/ holds; empty when it cannot be read.
QJsonObject ReadJson(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}

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
        const QString words = QString::fromStdString(OutcomeOf("1234.05").text);
        QTest::keyClicks(txtnumber, QStringLiteral("1234.05"));
        QTest::keyClick(txtnumber, Qt::Key_Return);
        QCOMPARE(txtword->text(), words);
        QCOMPARE(txtnumber->text(), QStringLiteral("1234.05"));  // Enter inserts nothing

        txtword->clear();
        QTest::mouseClick(cmdresult, Qt::LeftButton);
        QCOMPARE(txtword->text(), words);

        txtword->clear();
        cmdresult->setFocus();
        QTest::keyClick(cmdresult, Qt::Key_Space);
        QCOMPARE(txtword->text(), words);

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

    // Every text of the shared table that can be typed into the box: its words, or
    // its message in a modal box with the title, one OK button and no icon.
    void typedTextsGetTheirWordsOrTheirMessage_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("text");
        static const QRegularExpression typeable(QStringLiteral("^[0-9./]*$"));
        for (const auto& row : ExpectedOutcomes()) {
            const QString typed = QString::fromStdString(row.input);
            if (!typeable.match(typed).hasMatch()) continue;
            QTest::addRow("%s", row.input.c_str()) << typed << row.answered << QString::fromStdString(row.text);
        }
    }
    void typedTextsGetTheirWordsOrTheirMessage() {
        QFETCH(QString, typed);
        QFETCH(bool, answered);
        QFETCH(QString, text);
        QTest::keyClicks(txtnumber, typed);
        QCOMPARE(txtnumber->text(), typed);
        txtword->setText(QStringLiteral("earlier words"));
        MessageCatcher catcher;
        QTest::keyClick(txtnumber, Qt::Key_Return);
        if (answered) {
            QCOMPARE(txtword->text(), text);
            QVERIFY(!catcher.message.has_value());
            return;
        }
        QVERIFY(catcher.message.has_value());
        QCOMPARE(catcher.message->text, text);
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
        const QJsonObject look = ReadJson(QStringLiteral(ZORV_LOOK_PATH));
        const auto numbers = [](const QJsonValue& value) {
            QList<int> list;
            for (const auto& number : value.toArray()) list << number.toInt();
            return list;
        };
        const auto colour = [&](const QJsonValue& value) {
            const auto rgb = numbers(value);
            return QColor(rgb[0], rgb[1], rgb[2]);
        };
        QCOMPARE(window->windowTitle(), look.value("title").toString());
        const auto size = numbers(look.value("size"));
        QCOMPARE(window->size(), QSize(size[0], size[1]));
        QCOMPARE(window->minimumSize(), window->maximumSize());  // resizing changes nothing
        QCOMPARE(window->palette().color(QPalette::Window), window->palette().color(QPalette::Base));

        const QJsonObject font = look.value("font").toObject();
        const QJsonObject controls = look.value("controls").toObject();
        QCOMPARE(controls.size(), 4);
        for (auto it = controls.begin(); it != controls.end(); ++it) {
            const auto* control = window->findChild<QWidget*>(it.key());
            QVERIFY2(control != nullptr, qPrintable(it.key()));
            const QJsonObject expected = it.value().toObject();
            const auto place = numbers(expected.value("place"));
            QCOMPARE(control->geometry(), QRect(place[0], place[1], place[2], place[3]));
            QCOMPARE(control->font().family(), font.value("family").toString());
            QCOMPARE(control->font().pointSizeF(), font.value("points").toDouble());
            QCOMPARE(control->font().weight(), QFont::Bold);
            QVERIFY(!control->font().italic() && !control->font().underline() && !control->font().strikeOut());
            if (expected.contains("text")) QCOMPARE(control->property("text").toString(), expected.value("text").toString());
        }
        const QJsonObject label = controls.value("lblnumber").toObject();
        QCOMPARE(lblnumber->palette().color(QPalette::WindowText), colour(label.value("color")));
        QCOMPARE(lblnumber->palette().color(QPalette::Window), colour(label.value("background")));
        QVERIFY(lblnumber->autoFillBackground());
        QCOMPARE(cmdresult->palette().color(QPalette::Button), colour(controls.value("cmdresult").toObject().value("background")));
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
        QTest::addColumn<QKeyCombination>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");  // -1: no character
        const QJsonArray rows = ReadJson(QStringLiteral(ZORV_KEYS_PATH)).value("keys").toArray();
        QVERIFY(!rows.isEmpty());
        for (const auto& value : rows) {
            const QJsonObject row = value.toObject();
            const QString name = row.value("key").toString();
            QKeyCombination keys = QKeySequence::fromString(name, QKeySequence::PortableText)[0];
            if (row.value("keypad").toBool()) keys = QKeyCombination(keys.keyboardModifiers() | Qt::KeypadModifier, keys.key());
            const QString text = row.value("text").toString();
            QTest::addRow("%s, text %s", qPrintable(name), qPrintable(text.toUtf8().toPercentEncoding()))
                << keys << text << row.value("code").toInt(-1);
        }
    }
    void keyEventsMapToTheCodesAKeyboardProduces() {
        QFETCH(QKeyCombination, keys);
        QFETCH(QString, text);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, keys.key(), keys.keyboardModifiers(), text);
        const auto mapped = zorv::ui::KeyCode(event);
        QCOMPARE(mapped.has_value() ? int(*mapped) : -1, code);
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
