// frmmain: the converter's one window. The label, the input box txtnumber, the
// button cmdresult and the output box txtword sit on it; the window hands a click or
// Enter to the Convert command (command/) and supplies the command's three
// operations, and its keystroke handlers decide which typed characters the two boxes
// receive. All rules about numbers and words live below the window.
#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

#include "convert_command.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorv::ui {

class frmmain final : public QWidget, private command::ConvertView {
public:
    explicit frmmain(QWidget* parent = nullptr);

    // The Convert command, as a click of cmdresult runs it.
    void cmdresult_Click();
    // Keystroke handlers: given the code of each character typed into their box
    // before the box inserts it; setting the code to 0 discards the character.
    void txtnumber_KeyPress(std::int16_t& KeyAscii);
    void txtword_KeyPress(std::int16_t& KeyAscii);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::u16string_view ReadInput() override;
    void SetOutput(std::u16string_view words) override;
    void ShowMessage(std::u16string_view prompt, std::u16string_view title) override;

    // Runs the handler of `box` on one character code; returns whether it was kept.
    bool KeepCharacter(QObject* box, std::int16_t code);
    bool FilterKeyPress(QObject* box, QKeyEvent* event);
    bool FilterInputMethod(QObject* box, class QInputMethodEvent* event);

    QLabel* lblnumber;
    QLineEdit* txtnumber;
    QPushButton* cmdresult;
    QLineEdit* txtword;

    command::ConvertCommand command_{*this};
    QString input_;             // keeps the text ReadInput hands out alive
    bool resending_ = false;    // an input-method event already filtered is being delivered
};

}  // namespace zorv::ui
