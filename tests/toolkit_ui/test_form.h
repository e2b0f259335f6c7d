// A small window with one of each kind of control, for the toolkit's own tests.
#pragma once

#include <string>
#include <vector>

#include "toolkit/ui/form.h"

namespace tk::testing {

struct Drop {
  std::string target;
  int target_index;
  std::string source;
  int source_index;
};

class TestForm : public Form {
 public:
  TestForm() : Form("frmTest") {}
  Frame* frame = nullptr;
  Image* sources[3] = {};
  Image* targets[2] = {};
  Image* no_handler = nullptr;
  Label* label = nullptr;
  CheckBox* check = nullptr;
  CommandButton* button = nullptr;
  std::vector<Drop> drops;
  int label_changes = 0;
  int label_clicks = 0;
  int check_clicks = 0;
  int button_clicks = 0;
  int loads = 0;
  int unloads = 0;
  bool cancel_unload = false;

 protected:
  void Describe() override {
    Attributes().caption = "Test";
    Attributes().client_width = 6000;
    Attributes().client_height = 4500;
    frame = &Add<Frame>(Client(), "Frame1", -1, 0, 0, 6000, 4500);
    ControlSurface& s = frame->Surface();
    label = &Add<Label>(s, "lblName", -1, 120, 3600, 705, 195);
    label->SetAutoSize(true);
    label->SetCaption("Name");
    label->Change = [this] { ++label_changes; };
    label->Click = [this] { ++label_clicks; };
    auto picture = std::make_shared<Picture>(2, 2, std::vector<std::uint32_t>(4, 0xFF3366CCu));
    for (int i = 0; i < 2; ++i) {
      targets[i] = &Add<Image>(s, "Target", i + 1, 2400 + 1200 * i, 600, 735, 735);
      targets[i]->SetDragAutomatic(true);
      targets[i]->DragDrop = [this, i](Control& source, float, float) {
        drops.push_back({"Target", i + 1, source.Name(), source.Index()});
      };
    }
    for (int i = 0; i < 3; ++i) {
      sources[i] = &Add<Image>(s, "Source", i + 1, 600 + 700 * i, 2400, 615, 495);
      sources[i]->SetPicture(picture);
      sources[i]->SetStretch(true);
      sources[i]->SetDragAutomatic(true);
    }
    no_handler = &Add<Image>(s, "Plain", -1, 4800, 2400, 600, 600);
    check = &Add<CheckBox>(s, "chkOption", -1, 3000, 3900, 1800, 255);
    check->SetCaption("Option");
    check->Click = [this] { ++check_clicks; };
    button = &Add<CommandButton>(s, "cmdGo", -1, 4900, 3900, 900, 375);
    button->SetCaption("Go");
    button->Click = [this] { ++button_clicks; };
  }
  void Form_Load() override { ++loads; }
  void Form_Unload(std::int16_t& cancel) override {
    ++unloads;
    if (cancel_unload) cancel = 1;
  }
};

}  // namespace tk::testing
