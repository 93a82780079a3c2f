// Forms under an engine: every form gets a frame, and switching skins or the engine's Active
// gives every window back exactly its outer and client size.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "skin/engine/ZUBSkinEngine.h"
#include "tests/support/HandleCount.h"
#include "tests/support/WinPump.h"
#include "toolkit/core/Exception.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Screen.h"

namespace {

using skin::TzubSkinEngine;
using testing_support::PumpUntil;

std::string SkinPath(const std::string& name) {
  return std::string(ORV_TEST_SKINS_DIR) + "/" + name;
}

struct TSizes {
  RECT Window{};
  RECT Client{};
  friend bool operator==(const TSizes& a, const TSizes& b) {
    return EqualRect(&a.Window, &b.Window) && EqualRect(&a.Client, &b.Client);
  }
};

TSizes SizesOf(HWND wnd) {
  TSizes sizes;
  GetWindowRect(wnd, &sizes.Window);
  GetClientRect(wnd, &sizes.Client);
  return sizes;
}

std::string Describe(const TSizes& s) {
  return "window " + std::to_string(s.Window.right - s.Window.left) + "x" +
         std::to_string(s.Window.bottom - s.Window.top) + " at " + std::to_string(s.Window.left) +
         "," + std::to_string(s.Window.top) + ", client " + std::to_string(s.Client.right) + "x" +
         std::to_string(s.Client.bottom);
}

class TChildForm : public tk::TForm {
  TK_CLASS(TChildForm, tk::TForm)

 public:
  explicit TChildForm(tk::TComponent* owner) : tk::TForm(owner) {
    SetFormStyle(tk::fsMDIChild);
    SetBounds(10, 10, 260, 180);
  }
};

// The main form owns the engine; a sizeable form, a maximized one and an MDI frame with a child
// are open beside it.
class EngineFramesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    application_ = std::make_unique<tk::TApplication>();
    main_ = application_->CreateForm<tk::TForm>();
    main_->SetBounds(40, 40, 480, 360);
    engine_ = new TzubSkinEngine(main_);
    engine_->SetSkinFile(SkinPath("default.zsk"));
    engine_->SetActive(true);
    engine_->SkinForm(main_);
    main_->Show();
  }

  void TearDown() override { application_.reset(); }

  tk::TForm* NewForm(int left) {
    auto* form = new tk::TForm(application_.get());
    form->SetBounds(left, 80, 400, 300);
    return form;
  }

  std::unique_ptr<tk::TApplication> application_;
  tk::TForm* main_ = nullptr;
  TzubSkinEngine* engine_ = nullptr;
};

TEST_F(EngineFramesTest, SkinChangesAndActiveSwitchesGiveEveryWindowItsSizeBack) {
  tk::TForm* sizeable = NewForm(120);
  sizeable->Show();
  tk::TForm* maximized = NewForm(160);
  maximized->Show();
  maximized->SetWindowState(tk::wsMaximized);
  tk::TForm* frame = NewForm(200);
  frame->SetFormStyle(tk::fsMDIForm);
  frame->Show();
  auto* child = new TChildForm(frame);
  child->Show();
  const std::vector<HWND> normal = {sizeable->Handle(), frame->Handle(), child->Handle()};
  std::vector<RECT> nativeClients;
  for (HWND wnd : normal) nativeClients.push_back(SizesOf(wnd).Client);
  engine_->SkinScreenForms();
  ASSERT_EQ(engine_->WindowCount(), 5);
  for (int i = 0; i < engine_->WindowCount(); ++i) EXPECT_TRUE(engine_->Windows(i)->Skinned()) << i;

  const std::vector<HWND> windows = {main_->Handle(), sizeable->Handle(), maximized->Handle(),
                                     frame->Handle(), child->Handle()};
  std::vector<TSizes> skinned;
  for (HWND wnd : windows) skinned.push_back(SizesOf(wnd));
  for (std::size_t i = 0; i < normal.size(); ++i) {
    const TSizes now = SizesOf(normal[i]);
    EXPECT_TRUE(EqualRect(&now.Client, &nativeClients[i]))
        << "skinning keeps the client area: " << i << " " << Describe(now);
  }

  auto expectSizesBack = [&](const std::string& step) {
    PumpUntil([] { return true; });
    for (std::size_t i = 0; i < windows.size(); ++i) {
      const TSizes now = SizesOf(windows[i]);
      EXPECT_EQ(now, skinned[i]) << step << ", window " << i << ": " << Describe(now)
                                 << " instead of " << Describe(skinned[i]);
    }
  };
  engine_->SetActive(false);
  engine_->SetActive(true);
  expectSizesBack("active off and on");
  for (const char* skin : {"dark.zsk", "light.zsk", "default.zsk"})
    engine_->SetSkinFile(SkinPath(skin));
  expectSizesBack("three skin changes");
}

TEST_F(EngineFramesTest, OnlyTheOwnersFormStaysSkinnedWhenAllFormsAreNoLongerSkinned) {
  tk::TForm* other = NewForm(120);
  other->Show();
  tk::TForm* excluded = NewForm(160);
  excluded->SetTag(9999);
  excluded->Show();
  engine_->SkinScreenForms();
  const skin::TzubSkinWindow* excludedFrame = engine_->FindSkinWindow(excluded->Handle());
  EXPECT_TRUE(excludedFrame == nullptr || !excludedFrame->Skinned())
      << "the form tagged 9999 keeps its frame";
  EXPECT_EQ(SendMessageW(excluded->Handle(), skin::kSkinnedQuery, 0, 0), 0);
  ASSERT_NE(engine_->FindSkinWindow(other->Handle()), nullptr);
  const TSizes skinnedOther = SizesOf(other->Handle());

  engine_->SetSkinAllForms(false);
  ASSERT_EQ(engine_->WindowCount(), 1);
  EXPECT_EQ(engine_->Windows(0)->GetHandle(), main_->Handle());
  EXPECT_EQ(SendMessageW(other->Handle(), skin::kSkinnedQuery, 0, 0), 0);
  EXPECT_NE(GetWindowLongPtrW(other->Handle(), GWL_STYLE) & WS_SYSMENU, 0)
      << "the system menu is back";
  EXPECT_EQ(SizesOf(other->Handle()).Client.right, skinnedOther.Client.right) << "client size kept";

  engine_->SetSkinAllForms(true);
  ASSERT_NE(engine_->FindSkinWindow(other->Handle()), nullptr);
  EXPECT_TRUE(engine_->FindSkinWindow(other->Handle())->Skinned());
}

TEST_F(EngineFramesTest, RepaintsAndSkinSwitchesLeaveNoHandlesBehind) {
  tk::TForm* other = NewForm(120);
  other->Show();
  engine_->SkinScreenForms();
  const HWND wnd = other->Handle();
  auto exercise = [&](int paints, int switches) {
    for (int i = 0; i < paints; ++i) SendMessageW(wnd, WM_NCPAINT, 1, 0);
    for (int i = 0; i < switches; ++i)
      engine_->SetSkinFile(SkinPath(i % 2 == 0 ? "dark.zsk" : "default.zsk"));
    PumpUntil([] { return true; });
  };
  exercise(20, 2);
  const auto before = testing_support::CountHandles();
  exercise(1000, 100);
  const auto after = testing_support::CountHandles();
  std::printf(
      "handles before %d GDI, %d windows; after 1000 frame paints and 100 skin changes %d GDI, %d "
      "windows\n",
      before.GdiObjects, before.Windows, after.GdiObjects, after.Windows);
  EXPECT_EQ(after.GdiObjects, before.GdiObjects);
  EXPECT_EQ(after.Windows, before.Windows);
}

TEST_F(EngineFramesTest, AFormTaggedAsDisabledKeepsItsNativeFrameUnderItsFrameObject) {
  tk::TForm* excluded = NewForm(120);
  excluded->SetTag(9999);
  excluded->Show();
  const TSizes native = SizesOf(excluded->Handle());
  const LONG_PTR style = GetWindowLongPtrW(excluded->Handle(), GWL_STYLE);
  engine_->AddSkinWindow(excluded->Handle(), false);
  ASSERT_EQ(engine_->WindowCount(), 2) << "the frame object is kept, so none is made again";
  EXPECT_FALSE(engine_->Windows(1)->Skinned());
  engine_->AddSkinWindow(excluded->Handle(), false);
  EXPECT_EQ(engine_->WindowCount(), 2);
  EXPECT_EQ(SizesOf(excluded->Handle()), native);
  EXPECT_EQ(GetWindowLongPtrW(excluded->Handle(), GWL_STYLE), style);
  engine_->SetActive(false);
  engine_->SetActive(true);
  EXPECT_EQ(SizesOf(excluded->Handle()), native);
}

TEST_F(EngineFramesTest, SkinnedMDIFramesCascadeAndTileTheirChildrenThemselves) {
  tk::TForm* frame = NewForm(100);
  frame->SetFormStyle(tk::fsMDIForm);
  frame->Show();
  std::vector<TChildForm*> children;
  for (int i = 0; i < 3; ++i) {
    children.push_back(new TChildForm(frame));
    children.back()->Show();
  }
  engine_->SkinScreenForms();
  frame->SetClientWidth(1000);
  frame->SetClientHeight(600);
  PumpUntil([] { return true; });
  ASSERT_EQ(frame->ClientWidth(), 1000);
  frame->Cascade();
  for (int i = 0; i < 3; ++i) {
    tk::TCustomForm* child = frame->MDIChildren(2 - i);
    EXPECT_EQ(child->Left(), 22 * i) << i;
    EXPECT_EQ(child->Top(), 22 * i) << i;
    EXPECT_EQ(child->Width(), 800) << i;
    EXPECT_EQ(child->Height(), 360) << i;
  }
  SendMessageW(frame->ClientHandle(), WM_MDITILE, MDITILE_HORIZONTAL, 0);
  for (int i = 0; i < 3; ++i) {
    tk::TCustomForm* child = frame->MDIChildren(2 - i);
    const int height = 600 / 3 - 2;
    EXPECT_EQ(child->Top(), i * height) << i;
    EXPECT_EQ(child->Left(), 0) << i;
    EXPECT_EQ(child->Width(), 1000 - 4) << i;
    EXPECT_EQ(child->Height(), height) << i;
  }
}

TEST_F(EngineFramesTest, ASkinThatFailsToLoadGivesTheWindowsTheirOwnLookUntilTheNextSkin) {
  tk::TForm* other = NewForm(120);
  other->Show();
  engine_->SkinScreenForms();
  const HWND wnd = other->Handle();
  const TSizes skinned = SizesOf(wnd);
  ASSERT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_SYSMENU, 0);
  const std::string junk = std::string(ORV_TEST_SKINS_DIR) + "/../junk-" +
                           std::to_string(GetCurrentProcessId()) + ".zsk";
  {
    std::FILE* file = std::fopen(junk.c_str(), "wb");
    std::fputs("not a package", file);
    std::fclose(file);
  }
  EXPECT_THROW(engine_->SetSkinFile(junk), tk::Exception);
  std::remove(junk.c_str());
  EXPECT_FALSE(engine_->Ready());
  EXPECT_NE(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_SYSMENU, 0) << "the system menu is back";
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(wnd, region), ERROR) << "no outline is left";
  DeleteObject(region);
  EXPECT_EQ(SizesOf(wnd).Client.right, skinned.Client.right) << "the client area keeps its size";

  engine_->SetSkinFile(SkinPath("default.zsk"));
  EXPECT_EQ(SizesOf(wnd), skinned);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_SYSMENU, 0);
}

}  // namespace
