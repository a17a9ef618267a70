#pragma once

#include <string_view>

#include "base/gbk_text_type.h"
#include "rename/rename_run.h"

namespace qm {

// The name transforms of the insert renames. text is what the user typed, used
// as typed. An empty result leaves the entry alone.

// text + name; the whole name, extension included, follows the text.
GbkText InsertAtFront(std::string_view text, std::string_view name);

// stem + text (the run puts the extension back); a name that is only an
// extension (.htaccess) has no stem to add to and is left alone. In folder mode
// stem is the folder's whole name.
GbkText InsertAtEnd(std::string_view text, std::string_view stem);

enum class AnchorSide { Before, After };
enum class AnchorOccurrence { First, Last };

// subject (a stem, or a folder's whole name) with text put right before or
// after the first or last occurrence of anchor; left alone without one.
GbkText InsertAtAnchor(std::string_view anchor, std::string_view text, AnchorSide side,
                       AnchorOccurrence occurrence, std::string_view subject);

// name + text: the text follows the extension (a name without one ends in it).
GbkText AppendAfterExtension(std::string_view text, std::string_view name);

// subject with text right after its first digit run, when that run starts
// within the first 14 bytes: 第12课 gives 第12、课.
GbkText InsertAfterLeadingNumber(std::string_view text, std::string_view subject);

// The five insert renames as the rename run drives them, reading their texts
// and radios at the click.
OperationDefinition InsertAtFrontOperation();
OperationDefinition InsertAtEndOperation();
OperationDefinition InsertAtAnchorOperation();
OperationDefinition AppendAfterExtensionOperation();
OperationDefinition InsertAfterLeadingNumberOperation();

// The caption of 按钮_在某物前后加 follows the side radios (单选框3, 单选框4);
// the rename itself reads the radios.
void SideRadioClicked(Form& form, Control radio);

}  // namespace qm
