#include "tools/skinart/Skins.h"

#include "skin/reader/Skin2Define.h"
#include "tools/skinart/Frame.h"
#include "tools/skinart/Widgets.h"

namespace skinart {

namespace {

// Two colours the built-in skin stores after the catalogue's colours; no lookup reaches them.
constexpr std::string_view kSystemColorNames[] = {"SKIN2_SYSTEMCOLOR1", "SKIN2_SYSTEMCOLOR2"};

std::string Name(int first, int index) {
  return std::string(skin::kSkin2Names[first + index]);
}

class Painter {
 public:
  Painter(const SkinDesign& design, SkinDraft& draft) : design_(design), draft_(draft) {
    palette_ = design.palette;
    palette_.key = design.colors[skin::SKIN2_TRANSCOLOR];
    palette_.form = design.colors[skin::SKIN2_FORMCOLOR];
  }

  void Run() {
    // Bitmaps in catalogue order.
    Titles();
    Borders();
    const Sizes& s = design_.sizes;
    Put(skin::SKIN2_MINIMIZEDTITLE,
        MinimizedTitle(palette_, design_.style, s.minimizedTitle.width, s.minimizedTitle.height));
    Put(skin::SKIN2_TITLEBUTTONS,
        TitleButtons(palette_, design_.style, design_.integers[skin::SKIN2_TITLEBARBUTTONPOSY],
                     design_.booleans[skin::SKIN2_TITLEBTNTRANS]));
    Put(skin::SKIN2_CHECKEDMENUICON, MenuCheck(palette_, s.menuCheck));
    if (s.menuBar.width > 0)
      Put(skin::SKIN2_MENUBAR,
          Bar(s.menuBar.width, s.menuBar.height, design_.colors[skin::SKIN2_MENUBARSTARTCOLOR],
              design_.colors[skin::SKIN2_MENUBARENDCOLOR]));
    if (s.toolBar.width > 0)
      Put(skin::SKIN2_TOOLBAR,
          Bar(s.toolBar.width, s.toolBar.height, design_.colors[skin::SKIN2_TOOLBARSTARTCOLOR],
              design_.colors[skin::SKIN2_TOOLBARENDCOLOR]));
    Put(skin::SKIN2_BUTTON, PushButtons(palette_, s.buttonFrame.width, s.buttonFrame.height,
                                        Outside(skin::SKIN2_BUTTONTRANS)));
    Put(skin::SKIN2_CHECKBOX, CheckBoxes(palette_, s.checkBox, Outside(skin::SKIN2_CHECKBOXTRANS)));
    Put(skin::SKIN2_CHECKBOXLIST, ListCheckBoxes(palette_, s.listCheckBox));
    Put(skin::SKIN2_RADIOBUTTON, RadioButtons(palette_, s.radioButton));
    Put(skin::SKIN2_PROGRESSBAR1, ProgressEnd(palette_, s.progressEnd.width, s.progressEnd.height));
    Put(skin::SKIN2_PROGRESSBAR2,
        ProgressFill(palette_, s.progressPart.width, s.progressPart.height));
    Put(skin::SKIN2_PROGRESSBAR3,
        ProgressEmpty(palette_, s.progressPart.width, s.progressPart.height));
    Put(skin::SKIN2_PROGRESSBAR4, ProgressEnd(palette_, s.progressEnd.width, s.progressEnd.height));
    Put(skin::SKIN2_TRACKBAR, Track(palette_, s.track.width, s.track.height));
    Put(skin::SKIN2_TRACKBARSLIDER, Slider(palette_, s.slider.width, s.slider.height, false));
    Put(skin::SKIN2_TRACKBARVSLIDER, Slider(palette_, s.slider.width, s.slider.height, true));
    Put(skin::SKIN2_SCROLLBARUPBUTTON, ScrollArrows(palette_, s.scrollArrow, true));
    Put(skin::SKIN2_SCROLLBAR, ScrollThumb(palette_, s.scrollThumb.width, s.scrollThumb.height));
    Put(skin::SKIN2_SCROLLBARDOWNBUTTON, ScrollArrows(palette_, s.scrollArrow, false));
    Put(skin::SKIN2_TABCONTROL,
        Tabs(palette_, s.tabFrame.width, s.tabFrame.height, Outside(skin::SKIN2_TABCONTROLTRANS)));
    Put(skin::SKIN2_TABCONTROLLINE, TabLine(palette_, s.tabLineWidth));
    Put(skin::SKIN2_SIDECHANNELBAR,
        SideChannelBar(palette_, s.sideChannelCell.width, s.sideChannelCell.height));
    Put(skin::SKIN2_SIDECHANNELTITLE,
        SideChannelTitle(palette_, s.sideChannelTitle.width, s.sideChannelTitle.height));
    Put(skin::SKIN2_SCROLLBUTTON, ScrollButtons(palette_, s.scrollButton));
    Values();
  }

 private:
  void Put(int index, const TBitmap& bitmap) {
    draft_.Bitmap(Name(skin::kSkin2BitmapFirst, index), bitmap);
  }

  // Corners of a picture drawn with the colour key are cut with it, else with the form colour.
  TColor Outside(skin::TSkin2Boolean transparency) const {
    return design_.booleans[transparency] ? palette_.key : palette_.form;
  }

  void Titles() {
    static constexpr TitlePart kFive[] = {TitlePart::kLeft, TitlePart::kCaption,
                                          TitlePart::kTransition, TitlePart::kFiller,
                                          TitlePart::kRight};
    static constexpr TitlePart kThree[] = {TitlePart::kLeft, TitlePart::kFiller, TitlePart::kRight};
    const bool five = design_.booleans[skin::SKIN2_TITLEFIVESECT];
    const int pieces = five ? std::size(kFive) : std::size(kThree);
    for (int i = 0; i < pieces; ++i) {
      Put(skin::SKIN2_TITLEBAR1 + i,
          TitlePiece(palette_, design_.style, five ? kFive[i] : kThree[i],
                     design_.sizes.titleWidths[i]));
    }
  }

  void Borders() {
    Put(skin::SKIN2_FORMLEFTBORDER, SideBorder(palette_, design_.style, true));
    Put(skin::SKIN2_FORMRIGHTBORDER, SideBorder(palette_, design_.style, false));
    // The pieces are cut from one bottom border as wide as all of them together.
    const std::array<int, 3>& widths = design_.sizes.bottomWidths;
    const Picture whole = BottomBorder(palette_, design_.style, widths[0] + widths[1] + widths[2]);
    int x = 0;
    for (std::size_t i = 0; i < widths.size() && widths[i] > 0; ++i) {
      Put(skin::SKIN2_FORMBOTTOMBORDER1 + static_cast<int>(i),
          Crop(whole, tk::Rect(x, 0, x + widths[i], whole.Height())));
      x += widths[i];
    }
  }

  void Values() {
    for (int i = 0; i < skin::kSkin2ColorCount; ++i)
      draft_.Color(Name(skin::kSkin2ColorFirst, i), design_.colors[i]);
    for (std::size_t i = 0; i < design_.systemColors.size() && i < std::size(kSystemColorNames);
         ++i)
      draft_.Color(std::string(kSystemColorNames[i]), design_.systemColors[i]);
    for (int i = 0; i < skin::kSkin2IntegerCount; ++i)
      draft_.Integer(Name(skin::kSkin2IntegerFirst, i), design_.integers[i]);
    for (int i = 0; i < skin::kSkin2BooleanCount; ++i)
      draft_.Boolean(Name(skin::kSkin2BooleanFirst, i), design_.booleans[i]);
  }

  const SkinDesign& design_;
  SkinDraft& draft_;
  Palette palette_;
};

}  // namespace

std::vector<SkinDesign> AllSkins() {
  return {DefaultSkin(), DarkSkin(), LightSkin()};
}

SkinDraft Draw(const SkinDesign& design) {
  SkinDraft draft(design.title);
  Painter(design, draft).Run();
  return draft;
}

}  // namespace skinart
