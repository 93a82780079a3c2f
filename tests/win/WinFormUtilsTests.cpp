#include <windows.h>

#include <memory>

#include <gtest/gtest.h>

#include "skin/utils/WinWindowUtils.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/ImageList.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/Screen.h"

namespace {

using tk::TApplication;
using tk::TCustomForm;
using tk::TForm;
using tk::TMenuItem;
using tk::TMessage;

class TMDIFrame : public TForm {
  TK_CLASS(TMDIFrame, TForm)

 public:
  explicit TMDIFrame(tk::TComponent* owner) : TForm(owner) { SetFormStyle(tk::fsMDIForm); }
};

class TMDIChild : public TForm {
  TK_CLASS(TMDIChild, TForm)

 public:
  explicit TMDIChild(tk::TComponent* owner) : TForm(owner) { SetFormStyle(tk::fsMDIChild); }
};

// Answers the draw-state query as a frame skinner of the form would.
class TFrameAnswer : public tk::TObject {
 public:
  TFrameAnswer(TCustomForm& form, LRESULT answer)
      : form_(form), old_(form.WindowProc()), answer_(answer) {
    form.SetWindowProc(tk::TWndMethod::Of<&TFrameAnswer::Handle>(this));
  }
  ~TFrameAnswer() override { form_.SetWindowProc(old_); }

  void Handle(TMessage& message) {
    if (message.Msg == skin::kDrawStateQuery)
      message.Result = answer_;
    else
      old_(message);
  }

 private:
  TCustomForm& form_;
  tk::TWndMethod old_;
  LRESULT answer_;
};

void SetAppActive(TCustomForm& form, bool active) {
  form.Perform(WM_ACTIVATEAPP, active);
}

void SetFormActive(TCustomForm& form, bool active) {
  form.Perform(WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE);
}

TEST(IsFormActiveTest, WithoutAMainFormTheFramesAnswerOrTheFormsOwnStateDecides) {
  TForm form(nullptr);
  SetFormActive(form, true);
  EXPECT_TRUE(skin::IsFormActive(&form));
  {
    TFrameAnswer inactiveLook(form, 2);
    EXPECT_FALSE(skin::IsFormActive(&form)) << "the frame's inactive look wins";
  }
  SetFormActive(form, false);
  EXPECT_FALSE(skin::IsFormActive(&form));
  {
    TFrameAnswer activeLook(form, 1);
    EXPECT_TRUE(skin::IsFormActive(&form));
  }
  EXPECT_FALSE(skin::IsFormActive(nullptr));
}

TEST(IsFormActiveTest, TheApplicationsStateAndTheMainFormDecideInOrder) {
  TApplication app;
  auto* main = app.CreateForm<TForm>();
  auto* other = app.CreateForm<TForm>();
  struct TCase {
    const char* Name;
    bool AppActive;
    TCustomForm* Form;
    bool FormActive;
    bool Expected;
  };
  const TCase cases[] = {
      {"main form, application active", true, main, false, true},
      {"null counts as the main form", true, nullptr, false, true},
      {"main form, application inactive", false, main, true, false},
      {"other form, application inactive", false, other, true, false},
      {"other form active", true, other, true, true},
      {"other form inactive", true, other, false, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    // Activating a window may make the system tell the application it is active, so the
    // application's state is set last.
    if (c.Form != nullptr) SetFormActive(*c.Form, c.FormActive);
    SetAppActive(*main, c.AppActive);
    EXPECT_EQ(skin::IsFormActive(c.Form), c.Expected);
  }
  SetFormActive(*other, true);
  SetAppActive(*main, true);
  TFrameAnswer inactiveLook(*other, 2);
  EXPECT_FALSE(skin::IsFormActive(other));
}

TEST(IsFormActiveTest, AnMDIFrameIsActiveAlwaysAndAChildWhenItIsTheClientsActiveOne) {
  TApplication app;
  auto* frame = app.CreateForm<TMDIFrame>();
  auto* first = app.CreateForm<TMDIChild>();
  auto* second = app.CreateForm<TMDIChild>();
  SetAppActive(*frame, false);
  EXPECT_TRUE(skin::IsFormActive(frame)) << "even while the application is inactive";
  EXPECT_FALSE(skin::IsFormActive(second));
  SetAppActive(*frame, true);
  ASSERT_EQ(frame->ActiveMDIChild(), second);
  EXPECT_TRUE(skin::IsFormActive(second));
  EXPECT_FALSE(skin::IsFormActive(first));
  SendMessageW(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first->Handle()), 0);
  EXPECT_TRUE(skin::IsFormActive(first));
  EXPECT_FALSE(skin::IsFormActive(second));
}

TEST(FindFormByHandleTest, FindsFormsByWindowWithoutMakingWindows) {
  TForm first(nullptr);
  TForm second(nullptr);
  TForm windowless(nullptr);
  EXPECT_EQ(skin::FindFormByHandle(second.Handle()), &second);
  EXPECT_EQ(skin::FindFormByHandle(first.Handle()), &first);
  EXPECT_EQ(skin::FindFormByHandle(GetDesktopWindow()), nullptr);
  EXPECT_EQ(skin::FindFormByHandle(nullptr), nullptr);
  EXPECT_FALSE(windowless.HandleAllocated());
}

TEST(SetFormBoundsTest, MovesAndSizesTheForm) {
  TForm form(nullptr);
  skin::SetFormBounds(form, tk::Rect(30, 40, 530, 440));
  EXPECT_EQ(form.BoundsRect(), tk::Rect(30, 40, 530, 440));
  RECT r{};
  GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(tk::Rect(r.left, r.top, r.right, r.bottom), tk::Rect(30, 40, 530, 440));
}

TEST(GetWorkAreaTest, TakesTheWindowsMonitorOnceThereIsAMainFormAndReducesTheBottom) {
  RECT primary{};
  ASSERT_NE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0), FALSE);
  const tk::TRect expected = tk::Rect(primary.left, primary.top, primary.right, primary.bottom - 1);
  TForm loose(nullptr);
  EXPECT_EQ(skin::GetWorkArea(loose.Handle()), expected) << "no application";
  TApplication app;
  auto* main = app.CreateForm<TForm>();
  const tk::TRect monitor = tk::Screen().MonitorFromWindow(main->Handle())->WorkareaRect();
  EXPECT_EQ(skin::GetWorkArea(main->Handle()),
            tk::Rect(monitor.Left, monitor.Top, monitor.Right, monitor.Bottom - 1));
}

// A main menu with two named top-level items, one with SubMenuImages, and an unnamed one:
//   Files (SubMenuImages = fileImages) > Open > Recent > Last
//   Edit > Copy
//   (unnamed) > Paste
struct TMenuFixture {
  tk::TImageList menuImages{16, 16};
  tk::TImageList fileImages{24, 24};
  tk::TImageList recentImages{32, 32};
  tk::TMainMenu menu{nullptr};
  TMenuItem* files = Add(menu.Items(), "Files");
  TMenuItem* open = Add(files, "Open");
  TMenuItem* recent = Add(open, "Recent");
  TMenuItem* last = Add(recent, "Last");
  TMenuItem* edit = Add(menu.Items(), "Edit");
  TMenuItem* copy = Add(edit, "Copy");
  TMenuItem* unnamed = Add(menu.Items(), "");
  TMenuItem* paste = Add(unnamed, "Paste");

  TMenuFixture() {
    menu.SetImages(&menuImages);
    files->SetSubMenuImages(&fileImages);
  }

  TMenuItem* Add(TMenuItem* parent, const char* name) {
    auto* item = new TMenuItem(&menu);
    item->SetName(name);
    item->SetCaption(name);
    parent->Add(item);
    return item;
  }
};

TEST(MenuImagesTest, NamedTopLevelItemsAndTheirDescendantsFindTheirImageList) {
  TMenuFixture f;
  EXPECT_TRUE(skin::IsNamedTopLevelItem(f.files));
  EXPECT_TRUE(skin::IsNamedTopLevelItem(f.edit));
  EXPECT_FALSE(skin::IsNamedTopLevelItem(f.unnamed));
  EXPECT_FALSE(skin::IsNamedTopLevelItem(f.open));
  EXPECT_FALSE(skin::IsNamedTopLevelItem(f.menu.Items()));
  EXPECT_FALSE(skin::IsNamedTopLevelItem(nullptr));

  int draws = 0;
  const tk::TMenuDrawItemEvent draw = [&](TMenuItem*, tk::TCanvas&, tk::TRect, bool) { ++draws; };
  const tk::TMenuMeasureItemEvent measure = [](TMenuItem*, tk::TCanvas&, int&, int&) {};
  skin::AssignMenuItemEvents(f.menu.Items(), measure, draw);
  for (TMenuItem* item : {f.files, f.open, f.recent, f.last, f.copy, f.paste}) {
    EXPECT_TRUE(static_cast<bool>(item->OnDrawItem()));
    EXPECT_TRUE(static_cast<bool>(item->OnMeasureItem()));
  }
  struct TCase {
    const char* Name;
    TMenuItem* Item;
    const tk::TImageList* Expected;
  };
  const TCase before[] = {
      {"a child of the item with sub-menu images", f.open, &f.fileImages},
      {"deeper below it", f.last, &f.fileImages},
      {"the named top-level item itself falls back to the menu's", f.files, &f.menuImages},
      {"another top-level item's child", f.copy, &f.menuImages},
      {"below an unnamed top-level item", f.paste, &f.menuImages},
  };
  for (const TCase& c : before) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(skin::GetMenuItemImages(c.Item), c.Expected);
  }
  // A nearer ancestor's own sub-menu images win over the recorded ones.
  f.recent->SetSubMenuImages(&f.recentImages);
  EXPECT_EQ(skin::GetMenuItemImages(f.last), &f.recentImages);
  EXPECT_EQ(skin::GetMenuItemImages(f.recent), &f.fileImages);

  skin::AssignMenuItemEvents(f.menu.Items(), {}, {});
  EXPECT_FALSE(static_cast<bool>(f.last->OnDrawItem()));
  EXPECT_EQ(draws, 0);
}

TEST(MenuImagesTest, AMenuWithoutImagesAnswersNull) {
  tk::TMainMenu menu(nullptr);
  auto* top = new TMenuItem(&menu);
  top->SetName("Top");
  menu.Items()->Add(top);
  auto* child = new TMenuItem(&menu);
  top->Add(child);
  skin::AssignMenuItemEvents(top, {}, {});
  EXPECT_EQ(skin::GetMenuItemImages(child), nullptr);
  EXPECT_EQ(skin::GetMenuItemImages(nullptr), nullptr);
  TMenuItem loose(nullptr);
  EXPECT_EQ(skin::GetMenuItemImages(&loose), nullptr);
}

}  // namespace
