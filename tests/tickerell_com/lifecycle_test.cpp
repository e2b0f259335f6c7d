// The life cycle through the real host: a new instance takes its defaults and says so in
// a box, a stored one is restored key by key (a bad key skipped), and saving writes the
// thirteen keys in order, through the same setters and getters as every caller.
#include <gtest/gtest.h>

#include "box_recorder.h"
#include "com/picture_object.h"
#include "tickctl_test_support.h"

namespace tickctl_test {
namespace {

using com::Variant;

// Records what the control writes, and can fail at one key.
class RecordingBag : public com::Object<com::IPropertyBag> {
 public:
  struct Write {
    std::string key;
    Variant value, default_value;
  };
  std::vector<Write> writes;
  std::string fail_at;

  com::HRESULT ReadValue(std::string_view, const Variant& default_value, Variant* out) override {
    *out = default_value;
    return com::S_OK;
  }
  com::HRESULT WriteValue(std::string_view key, const Variant& value,
                          const Variant& default_value) override {
    if (key == fail_at) return com::HResultFromRuntimeError(75);
    writes.push_back({std::string(key), value, default_value});
    return com::S_OK;
  }
};

// The values of the thirteen stored properties and CurrentYpos, as got late-bound.
struct Values {
  std::string caption;
  std::int32_t interval, back, fore;
  com::VARIANT_BOOL scroll;
  std::int32_t border;
  std::int16_t skip;
  std::int32_t start, end, alignment;
  double wait;
  std::int32_t startup, current;
  bool operator==(const Values&) const = default;
};

Values ValuesOf(const HostForm& f) {
  return {f.Get(kCaption).str(),   f.Get(kTimerInterval).i4(), f.Get(kBackColor).i4(),
          f.Get(kForeColor).i4(),  f.Get(kScroll).boolean(),   f.Get(kBorderStyle).i4(),
          f.Get(kSkipPixels).i2(), f.Get(kScrollStart).i4(),   f.Get(kScrollEnd).i4(),
          f.Get(kAlignment).i4(),  f.Get(kStartupWait).r8(),   f.Get(kStartupYpos).i4(),
          f.Get(kCurrentYpos).i4()};
}

// What a new instance named Tickerell1 holds after InitProperties.
const Values kNewInstance{
    "Tickerell1", 10, kSurfaceBackColor, kSurfaceForeColor, -1, 0, 1, 50, -50, 1, 0.01, 50, 0};

class LifecycleTest : public ModuleTest {
 protected:
  void TearDown() override {
    if (form.IsLoaded()) form.Unload();
    ModuleTest::TearDown();
  }
  // Loads the window with its control restored from `bag` (new when null).
  void Create(com::ComPtr<com::IPropertyBag> bag) {
    if (form.IsLoaded()) form.Unload();
    form.stored = std::move(bag);
    form.Load();
  }
  static com::ComPtr<com::MemoryPropertyBag> Bag(
      std::initializer_list<std::pair<const char*, Variant>> entries) {
    auto bag = com::Make<com::MemoryPropertyBag>();
    for (const auto& [key, value] : entries) bag->Set(key, value);
    return bag;
  }
  const tickerell::TickerellState& State() { return Peek(*form.Tickerell1).State(); }

  tk::testing::BoxRecorder boxes;
  HostForm form;
};

TEST_F(LifecycleTest, ANewInstanceTakesItsDefaultsParsesNothingAndShowsOneBox) {
  Create(nullptr);
  EXPECT_EQ(ValuesOf(form), kNewInstance);
  EXPECT_FALSE(form.Get(kPicture).object());  // Picture is not set
  EXPECT_EQ(State().PropertiesRead, 0);
  EXPECT_EQ(State().LineCount, 0);
  EXPECT_EQ(State().DebugMode, -1);
  EXPECT_EQ(State().DefaultTimerInterval, 10);
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0].text,
            "Remember to set proper values to 'ScrollStart' and 'ScrollEnd' properties.\r"
            "If the caption not displayed first time don't worry, It will display when you run.");
  EXPECT_EQ(boxes.messages[0].style, 64);
  EXPECT_EQ(boxes.messages[0].title, "prjTickerell");
}

TEST_F(LifecycleTest, RestoringFromAnEmptyBagGivesTheDefaultsAndParsesTheName) {
  Create(Bag({}));
  EXPECT_EQ(ValuesOf(form), kNewInstance);
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_EQ(State().PropertiesRead, -1);
  EXPECT_EQ(LineTexts(State()), std::vector<std::string>{"Tickerell1"});
}

TEST_F(LifecycleTest, RestoringFollowsTheBagKeyByKey) {
  const auto picture = com::EmptyPicture();
  const struct {
    const char* what;
    com::ComPtr<com::MemoryPropertyBag> bag;
    com::DISPID id;
    Variant expected;
  } cases[] = {
      {"keys in other case", Bag({{"caption", Variant("a;b")}, {"BORDERSTYLE", Variant(1)}}),
       kBorderStyle, Variant(std::int32_t{1})},
      {"caption in other case", Bag({{"CAPTION", Variant("a;b")}}), kCaption, Variant("a;b")},
      {"ScrollStart alone moves StartupYpos", Bag({{"ScrollStart", Variant(300)}}), kStartupYpos,
       Variant(std::int32_t{300})},
      {"neither gives 50", Bag({{"ScrollEnd", Variant(-5)}}), kStartupYpos,
       Variant(std::int32_t{50})},
      {"stored StartupYpos wins", Bag({{"ScrollStart", Variant(300)}, {"StartupYpos", Variant(7)}}),
       kStartupYpos, Variant(std::int32_t{7})},
      {"SkipPixels that is no number", Bag({{"SkipPixels", Variant("fast")}}), kSkipPixels,
       Variant(std::int16_t{0})},
      {"SkipPixels out of range", Bag({{"SkipPixels", Variant(40000)}}), kSkipPixels,
       Variant(std::int16_t{0})},
      {"the keys after a bad one are read", Bag({{"SkipPixels", Variant("x")}, {"Alignment", 7}}),
       kAlignment, Variant(std::int32_t{7})},
      {"Scroll False stops the timer", Bag({{"Scroll", Variant::Bool(false)}}), kScroll,
       Variant::Bool(false)},
      {"bad border style keeps the surface's", Bag({{"borderstyle", Variant(70000)}}), kBorderStyle,
       Variant(std::int32_t{0})},
      {"text interval", Bag({{"TimerInterval", Variant("20")}}), kTimerInterval,
       Variant(std::int32_t{20})},
      {"picture in other case", Bag({{"picture", Variant(picture)}}), kPicture, Variant(picture)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Create(c.bag);
    const Variant got = form.Get(c.id);
    EXPECT_TRUE(com::SameValue(got, c.expected)) << got.ToText();
    EXPECT_EQ(State().PropertiesRead, -1);
    EXPECT_EQ(Peek(*form.Tickerell1).RefreshTimer().Enabled(), form.Get(kScroll).ToBool());
  }
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(LifecycleTest, SavingWritesTheThirteenKeysInOrderWithTheirDefaults) {
  Create(nullptr);
  auto bag = com::Make<RecordingBag>();
  ASSERT_EQ(form.Tickerell1->Instance()->Save(bag.get()), com::S_OK);
  const struct {
    const char* key;
    com::VARTYPE written, default_type;
  } expected[] = {
      {"Caption", com::VT_BSTR, com::VT_BSTR},  {"TimerInterval", com::VT_I4, com::VT_I4},
      {"BackColor", com::VT_I4, com::VT_I4},    {"ForeColor", com::VT_I4, com::VT_I4},
      {"Scroll", com::VT_BOOL, com::VT_BOOL},   {"Picture", com::VT_DISPATCH, com::VT_ERROR},
      {"borderstyle", com::VT_I4, com::VT_UI1}, {"SkipPixels", com::VT_I2, com::VT_I2},
      {"ScrollStart", com::VT_I4, com::VT_I4},  {"ScrollEnd", com::VT_I4, com::VT_I4},
      {"Alignment", com::VT_I4, com::VT_UI1},   {"StartupWait", com::VT_R8, com::VT_R8},
      {"StartupYpos", com::VT_I4, com::VT_I4},
  };
  ASSERT_EQ(bag->writes.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const auto& w = bag->writes[i];
    SCOPED_TRACE(w.key);
    EXPECT_EQ(w.key, expected[i].key);
    EXPECT_EQ(w.value.vt(), expected[i].written);
    EXPECT_EQ(w.default_value.vt(), expected[i].default_type);
    // A new instance's values all equal their defaults; Picture has none.
    if (w.key != "Picture") {
      EXPECT_TRUE(com::SameValue(w.value, w.default_value));
    }
  }
  EXPECT_TRUE(bag->writes[5].default_value.is_missing());
  EXPECT_EQ(State().PropertiesRead, 0);  // saving changes nothing
}

TEST_F(LifecycleTest, ASaveThatFailsEndsAtTheFailingKey) {
  Create(nullptr);
  auto bag = com::Make<RecordingBag>();
  bag->fail_at = "ScrollStart";
  EXPECT_EQ(form.Tickerell1->Instance()->Save(bag.get()), com::HResultFromRuntimeError(75));
  ASSERT_EQ(bag->writes.size(), 8u);
  EXPECT_EQ(bag->writes.back().key, "SkipPixels");
}

TEST_F(LifecycleTest, SavedPropertiesComeBackInANewInstance) {
  Create(nullptr);
  const auto picture = com::CreatePicture(
      std::make_shared<tk::Picture>(1, 1, std::vector<std::uint32_t>{0xFF00FF00u}));
  const Values set{"x;y<F.BOLD>", 25, 0x123456, 255, 0, 1, 3, 300, -850, 7, 1.5, 100, 42};
  form.Put(kCaption, Variant(set.caption));
  form.Put(kTimerInterval, Variant(set.interval));
  form.Put(kBackColor, Variant(set.back));
  form.Put(kForeColor, Variant(set.fore));
  form.Put(kScroll, Variant::Bool(false));
  form.Put(kBorderStyle, Variant(set.border));
  form.Put(kSkipPixels, Variant(set.skip));
  form.Put(kStartupYpos, Variant(set.startup));  // before ScrollStart, which leaves it
  form.Put(kScrollStart, Variant(set.start));
  form.Put(kScrollEnd, Variant(set.end));
  form.Put(kAlignment, Variant(set.alignment));
  form.Put(kStartupWait, Variant(set.wait));
  form.Put(kCurrentYpos, Variant(set.current));
  com::PropertyPutRef(form.Object(), kPicture, Variant(picture));
  ASSERT_EQ(ValuesOf(form), set);

  auto bag = com::Make<com::MemoryPropertyBag>(/*omit_defaults=*/true);
  ASSERT_EQ(form.Tickerell1->Instance()->Save(bag.get()), com::S_OK);
  Create(bag);
  Values expected = set;
  expected.current = 0;  // not stored
  EXPECT_EQ(ValuesOf(form), expected);
  EXPECT_TRUE(com::SameObject(form.Get(kPicture).object(), picture.get()));
  EXPECT_FALSE(Peek(*form.Tickerell1).RefreshTimer().Enabled());
  EXPECT_EQ(LineTexts(State()), (std::vector<std::string>{"x", "y"}));
}

TEST_F(LifecycleTest, ACaptionEqualToTheNameFollowsTheHostsNewName) {
  Create(nullptr);  // Caption = "Tickerell1", its own default
  auto bag = com::Make<com::MemoryPropertyBag>(/*omit_defaults=*/true);
  ASSERT_EQ(form.Tickerell1->Instance()->Save(bag.get()), com::S_OK);
  EXPECT_FALSE(bag->Find("Caption"));
  form.Unload();
  // A window that names its control otherwise restores that name as the caption.
  class OtherName : public tk::Form {
   public:
    OtherName() : Form("frmOther") {}
    com::ComPtr<com::IPropertyBag> stored;
    tk::ActiveXControl* control = nullptr;

   protected:
    void Describe() override {
      control = &Add<tk::ActiveXControl>(Client(), "Marquee", -1, 0, 0, 3810, 960);
      control->Create(kClsid, stored);
    }
  } other;
  other.stored = bag;
  other.Load();
  EXPECT_EQ(com::PropertyGet(other.control->Object(), kCaption).str(), "Marquee");
  other.Unload();
}

TEST_F(LifecycleTest, WithoutAHostNameANewInstanceGetsNoDefaultsAndNoBox) {
  com::ComPtr<tk::IControl> control;
  ASSERT_EQ(com::CoCreateInstance(kClsid, nullptr, tk::IControl::kIid, control.PutVoid()),
            com::S_OK);
  EXPECT_EQ(control->InitNew(), com::HResultFromRuntimeError(424));  // Object required
  EXPECT_TRUE(boxes.messages.empty());
  auto d = control.As<com::IDispatch>();
  EXPECT_EQ(com::PropertyGet(d.get(), kSkipPixels).i2(), 0);
  EXPECT_EQ(com::PropertyGet(d.get(), kScroll).boolean(), 0);
  EXPECT_EQ(com::PropertyGet(d.get(), kStartupWait).r8(), 0.0);
  // Restoring without a name skips the caption alone.
  auto bag = com::Make<com::MemoryPropertyBag>();
  EXPECT_EQ(control->Load(bag.get()), com::S_OK);
  EXPECT_EQ(com::PropertyGet(d.get(), kCaption).str(), "");
  EXPECT_EQ(com::PropertyGet(d.get(), kSkipPixels).i2(), 1);
  EXPECT_EQ(control->Close(), com::S_OK);
}

}  // namespace
}  // namespace tickctl_test
