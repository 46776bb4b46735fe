#include "editor/editor_state.h"

#include <cstring>

EditorScreen Editor;

int editorHasChanges() {
    return Editor.savedSize != Editor.textSize || std::memcmp(Editor.savedText, Editor.text, size_t(Editor.textSize)) != 0;
}
