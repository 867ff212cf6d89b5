// The script's line grammar: the pieces the recorder appends, and the reading
// of the script box back into lines, fields and numbers.
#include "script/script_format.h"

#include "script/script_texts.h"
#include "script/text_ops.h"

namespace qm {
namespace {

// A field's number starts after its label, which is always this many bytes.
constexpr std::int64_t LabelBytes = 6;
static_assert(sizeof(script::LabelHorizontal) - 1 == LabelBytes &&
              sizeof(script::LabelVertical) - 1 == LabelBytes &&
              sizeof(script::LabelMouse) - 1 == LabelBytes && sizeof(script::LabelDelay) - 1 == LabelBytes);

Text Joined(std::string_view a, std::string_view b, std::string_view c) {
    Text text;
    text.reserve(a.size() + b.size() + c.size());
    text.append(a).append(b).append(c);
    return text;
}

}  // namespace

Text HorizontalPiece(std::string_view x) {
    return Joined(script::LabelHorizontal, x, script::FieldSeparator);
}

Text VerticalPiece(std::string_view y) { return Joined(script::LabelVertical, y, script::FieldSeparator); }

Text ActionPiece(std::string_view action) { return Joined(action, script::FieldSeparator, {}); }

Text DoubleClickPiece() { return Joined(script::ActionDoubleClick, script::LineSeparator, {}); }

Text DelayPiece(std::string_view delay) { return Joined(script::LabelDelay, delay, script::LineSeparator); }

std::vector<std::string_view> ScriptLines(std::string_view script) {
    return SplitText(TrimSpaces(script), script::LineSeparator);
}

std::vector<std::string_view> LineFields(std::string_view line) {
    return SplitText(line, script::FieldSeparator);
}

std::int32_t FieldNumber(std::string_view field) {
    return TextToInt(RightBytes(field, static_cast<std::int64_t>(field.size()) - LabelBytes));
}

}  // namespace qm
