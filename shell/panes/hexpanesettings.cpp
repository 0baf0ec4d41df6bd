#include "hexpanesettings.h"

#include "editorsettingsmodel.h"

void ApplyHexPaneSettings(CHexEdit& editor, const CEditorDisplaySettings& settings)
{
    ApplyEditorDisplaySettings(editor.GetModel(), settings);
    editor.RecalcLayout();
    if (::IsWindow(editor.GetSafeHwnd()))
        editor.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
