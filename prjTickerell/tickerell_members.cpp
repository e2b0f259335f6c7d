// The dispatch table of _Tickerell: each member by its dispatch identifier and declared
// type, forwarding to the property procedures. The table converts a put's value to the
// declared type first, and hands a run-time error raised inside back to the late-bound
// caller with its number.
#include "runtime/errors.h"
#include "tickerell.h"
#include "tickerell_ids.h"

namespace tickerell {

namespace {

using com::Variant;

Variant Color(tk::OleColor c) {
  return Variant(static_cast<std::int32_t>(c));
}
tk::OleColor ColorOf(const Variant& v) {
  return static_cast<tk::OleColor>(v.i4());
}

// Nothing clears the picture; any other object must be a picture.
com::ComPtr<com::IPictureDisp> PictureObjectOf(const Variant& v) {
  com::IUnknown* object = v.object();
  if (!object) return nullptr;
  com::ComPtr<com::IPictureDisp> picture;
  if (com::Failed(object->QueryInterface(com::IPictureDisp::kIid, picture.PutVoid())))
    tk::Raise(tk::kTypeMismatch);
  return picture;
}

}  // namespace

// Also used by the life cycle: the picture object given by reference.
com::ComPtr<com::IPictureDisp> PictureArgument(const Variant& value) {
  const Variant v = value.Deref();
  if (!v.is_object()) tk::Raise(tk::kTypeMismatch);
  return PictureObjectOf(v);
}

const com::DispatchTable& Tickerell::Members() {
  using T = Tickerell;
  static const com::DispatchTable table =
      com::Members<T>(kLibraryName)
          .InterfaceId(kIidTickerell)
          .Property(
              "TimerInterval", kDispTimerInterval, com::VT_I4,
              [](T& t) { return Variant(t.get_TimerInterval()); },
              [](T& t, const Variant& v) { t.put_TimerInterval(v.i4()); })
          .Property(
              "Caption", kDispCaption, com::VT_BSTR, [](T& t) { return Variant(t.get_Caption()); },
              [](T& t, const Variant& v) { t.put_Caption(v.str()); })
          .Property(
              "BackColor", kDispBackColor, com::VT_I4,
              [](T& t) { return Color(t.get_BackColor()); },
              [](T& t, const Variant& v) { t.put_BackColor(ColorOf(v)); })
          .Property(
              "ForeColor", kDispForeColor, com::VT_I4,
              [](T& t) { return Color(t.get_ForeColor()); },
              [](T& t, const Variant& v) { t.put_ForeColor(ColorOf(v)); })
          .Property(
              "Scroll", kDispScroll, com::VT_BOOL,
              [](T& t) { return Variant::Bool(t.get_Scroll() != 0); },
              [](T& t, const Variant& v) { t.put_Scroll(v.boolean()); })
          .PropertyRef(
              "Picture", kDispPicture, [](T& t) { return Variant(t.get_Picture()); },
              [](T& t, const Variant& v) { t.putref_Picture(PictureObjectOf(v)); })
          .Property(
              "BorderStyle", kDispBorderStyle, com::VT_I4,
              [](T& t) { return Variant(t.get_BorderStyle()); },
              [](T& t, const Variant& v) { t.put_BorderStyle(v.i4()); })
          .Property(
              "SkipPixels", kDispSkipPixels, com::VT_I2,
              [](T& t) { return Variant(t.get_SkipPixels()); },
              [](T& t, const Variant& v) { t.put_SkipPixels(v.i2()); })
          .Property(
              "ScrollStart", kDispScrollStart, com::VT_I4,
              [](T& t) { return Variant(t.get_ScrollStart()); },
              [](T& t, const Variant& v) { t.put_ScrollStart(v.i4()); })
          .Property(
              "ScrollEnd", kDispScrollEnd, com::VT_I4,
              [](T& t) { return Variant(t.get_ScrollEnd()); },
              [](T& t, const Variant& v) { t.put_ScrollEnd(v.i4()); })
          .Property(
              "Alignment", kDispAlignment, com::VT_I4,
              [](T& t) { return Variant(t.get_Alignment()); },
              [](T& t, const Variant& v) { t.put_Alignment(v.i4()); })
          .Property(
              "StartupWait", kDispStartupWait, com::VT_R8,
              [](T& t) { return Variant(t.get_StartupWait()); },
              [](T& t, const Variant& v) { t.put_StartupWait(v.r8()); })
          .Property(
              "StartupYpos", kDispStartupYpos, com::VT_I4,
              [](T& t) { return Variant(t.get_StartupYpos()); },
              [](T& t, const Variant& v) { t.put_StartupYpos(v.i4()); })
          .Property(
              "CurrentYpos", kDispCurrentYpos, com::VT_I4,
              [](T& t) { return Variant(t.get_CurrentYpos()); },
              [](T& t, const Variant& v) { t.put_CurrentYpos(v.i4()); })
          .Method("SetupMainBufferLines", kDispSetupMainBufferLines, {},
                  [](T& t, std::span<Variant>) {
                    t.SetupMainBufferLines();
                    return Variant();
                  })
          .Build();
  return table;
}

}  // namespace tickerell
