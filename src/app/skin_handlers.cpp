// The skin component's design settings and the last start-up step, which
// loads the skin and switches it on.
#include "app/unit1.h"

#include "skin/skin_engine.h"

namespace {
const char kSkinFile[] = "\\皮肤\\兰红_Slate.skn";
}

void TForm1::CreateSkinEngine()
{
    SkinEngine1 = std::make_unique<TSkinEngine>(Handle());
    SkinEngine1->Scope = SkinScope::WholeApplication;
    // Every kind the engine knows except single owner-drawn items and report previews.
    SkinEngine1->SkinnedElements = {
        SkinElementKind::MainMenuBar,
        SkinElementKind::PopupMenus,
        SkinElementKind::ToolBars,
        SkinElementKind::ControlBars,
        SkinElementKind::ComboBoxes,
        SkinElementKind::CheckBoxes,
        SkinElementKind::RadioButtons,
        SkinElementKind::ProgressBars,
        SkinElementKind::ScrollBars,
        SkinElementKind::EditBoxes,
        SkinElementKind::PushButtons,
        SkinElementKind::BitmapButtons,
        SkinElementKind::SpeedButtons,
        SkinElementKind::SpinButtons,
        SkinElementKind::Panels,
        SkinElementKind::GroupBoxes,
        SkinElementKind::StatusBars,
        SkinElementKind::TabControls,
        SkinElementKind::TrackBars,
        SkinElementKind::SystemMenu,
    };
    SkinEngine1->Options = {SkinOption::Preview, SkinOption::ToolbarBackground, SkinOption::CaptionButtonHints};
    SkinEngine1->DisableTag = 99;
    SkinEngine1->MenuUpdate = true;
    SkinEngine1->MenuMerge = false;
    SkinEngine1->EmbeddedSkin.clear();
    SkinEngine1->ClassMap.clear();
}

void TForm1::huanpifuClick(MenuItem*)
{
    // An error opening the file ends this step before the skin is switched on.
    SkinEngine1->SetSkinFile(ProgramDir + kSkinFile);
    SkinEngine1->SetActive(true);
}
