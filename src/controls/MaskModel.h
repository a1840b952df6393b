#pragma once
// The text model of a masked edit: a mask such as
// "[0-5][0-9]:[0-5][0-9]:[0-5][0-9]" gives one position per character,
// either a literal or an editable position with its allowed characters.
// Empty editable positions show the prompt character. Carets and
// selections are character indexes into Text().
#include <string>
#include <vector>

namespace controls {

class MaskModel {
public:
    enum class InitResult { Ok, BadBrackets, BadCharacterSet };

    explicit MaskModel(char prompt = '_') : prompt_(prompt) {}

    // Builds the positions, applies the data and puts the caret on the first
    // editable position. On failure the model keeps no positions.
    InitResult Init(const std::string& mask, const std::string& data);

    // Fills the editable positions in order with the data characters that
    // are allowed there; a character that is not allowed leaves the prompt.
    void SetData(const std::string& data);
    // The characters of the editable positions that are filled.
    std::string GetData() const;

    const std::string& Text() const { return text_; }
    int Caret() const { return caret_; }
    // Places the caret on the editable position at or after index.
    void PlaceCaret(int index);

    // Editing keys; selStart == selEnd means no selection.
    void Type(char c, int selStart, int selEnd);
    void Backspace(int selStart, int selEnd);
    void Delete(int selStart, int selEnd);
    void Home();
    void End();
    void Left();
    void Right();

private:
    struct Position {
        bool editable;
        std::string allowed;  // for editable positions
    };

    bool IsEditable(int index) const;
    int NextEditable(int from) const;      // first editable index >= from, or -1
    int PreviousEditable(int from) const;  // last editable index <= from, or -1
    void ClearRange(int begin, int end);

    char prompt_;
    std::vector<Position> positions_;
    std::string text_;
    int caret_ = 0;
};

}  // namespace controls
