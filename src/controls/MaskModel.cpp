#include "MaskModel.h"

#include <algorithm>
#include <optional>

namespace controls {

namespace {

// The characters listed in a bracket group: "a-z" is a range, "\x" the
// literal x. Empty or reversed ranges make the group unusable.
std::optional<std::string> AllowedCharacters(const std::string& group)
{
    std::string allowed;
    for (std::size_t i = 0; i < group.size(); ++i) {
        char c = group[i];
        if (c == '\\') {
            if (++i == group.size())
                return std::nullopt;
            allowed += group[i];
        } else if (i + 2 < group.size() && group[i + 1] == '-') {
            char last = group[i + 2];
            if (last < c)
                return std::nullopt;
            for (int x = c; x <= last; ++x)
                allowed += static_cast<char>(x);
            i += 2;
        } else {
            allowed += c;
        }
    }
    if (allowed.empty())
        return std::nullopt;
    return allowed;
}

}  // namespace

MaskModel::InitResult MaskModel::Init(const std::string& mask, const std::string& data)
{
    positions_.clear();
    text_.clear();
    caret_ = 0;

    int depth = 0;
    for (char c : mask) {
        depth += c == '[' ? 1 : c == ']' ? -1 : 0;
        if (depth < 0 || depth > 1)
            return InitResult::BadBrackets;
    }
    if (depth != 0)
        return InitResult::BadBrackets;

    std::vector<Position> positions;
    std::string literals;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] != '[') {
            positions.push_back({false, ""});
            literals += mask[i];
            continue;
        }
        std::size_t close = mask.find(']', i);
        auto allowed = AllowedCharacters(mask.substr(i + 1, close - i - 1));
        if (!allowed)
            return InitResult::BadCharacterSet;
        positions.push_back({true, *allowed});
        literals += prompt_;
        i = close;
    }
    positions_ = std::move(positions);
    text_ = literals;
    SetData(data);
    Home();
    return InitResult::Ok;
}

void MaskModel::SetData(const std::string& data)
{
    std::size_t next = 0;
    for (std::size_t i = 0; i < positions_.size(); ++i) {
        if (!positions_[i].editable)
            continue;
        char c = next < data.size() ? data[next++] : prompt_;
        text_[i] = positions_[i].allowed.find(c) != std::string::npos ? c : prompt_;
    }
}

std::string MaskModel::GetData() const
{
    std::string data;
    for (std::size_t i = 0; i < positions_.size(); ++i)
        if (positions_[i].editable && text_[i] != prompt_)
            data += text_[i];
    return data;
}

bool MaskModel::IsEditable(int index) const
{
    return index >= 0 && index < static_cast<int>(positions_.size()) && positions_[index].editable;
}

int MaskModel::NextEditable(int from) const
{
    for (int i = std::max(from, 0); i < static_cast<int>(positions_.size()); ++i)
        if (positions_[i].editable)
            return i;
    return -1;
}

int MaskModel::PreviousEditable(int from) const
{
    for (int i = std::min(from, static_cast<int>(positions_.size()) - 1); i >= 0; --i)
        if (positions_[i].editable)
            return i;
    return -1;
}

void MaskModel::PlaceCaret(int index)
{
    int next = NextEditable(index);
    if (next < 0)
        next = PreviousEditable(index);
    caret_ = next < 0 ? 0 : next;
}

void MaskModel::ClearRange(int begin, int end)
{
    for (int i = std::max(begin, 0); i < std::min(end, static_cast<int>(positions_.size())); ++i)
        if (positions_[i].editable)
            text_[i] = prompt_;
}

void MaskModel::Type(char c, int selStart, int selEnd)
{
    if (selStart != selEnd) {
        ClearRange(std::min(selStart, selEnd), std::max(selStart, selEnd));
        caret_ = std::min(selStart, selEnd);
    }
    int at = NextEditable(caret_);
    if (at < 0 || positions_[at].allowed.find(c) == std::string::npos)
        return;
    text_[at] = c;
    int next = NextEditable(at + 1);
    caret_ = next < 0 ? at + 1 : next;
}

void MaskModel::Backspace(int selStart, int selEnd)
{
    if (selStart != selEnd) {
        Delete(selStart, selEnd);
        return;
    }
    int previous = PreviousEditable(caret_ - 1);
    if (previous < 0)
        return;
    text_[previous] = prompt_;
    caret_ = previous;
}

void MaskModel::Delete(int selStart, int selEnd)
{
    if (selStart != selEnd) {
        ClearRange(std::min(selStart, selEnd), std::max(selStart, selEnd));
        PlaceCaret(std::min(selStart, selEnd));
        return;
    }
    if (IsEditable(caret_))
        text_[caret_] = prompt_;
}

void MaskModel::Home()
{
    PlaceCaret(0);
}

void MaskModel::End()
{
    int last = PreviousEditable(static_cast<int>(positions_.size()) - 1);
    caret_ = last < 0 ? 0 : last;
}

void MaskModel::Left()
{
    int previous = PreviousEditable(caret_ - 1);
    if (previous >= 0)
        caret_ = previous;
}

void MaskModel::Right()
{
    int next = NextEditable(caret_ + 1);
    if (next >= 0)
        caret_ = next;
}

}  // namespace controls
