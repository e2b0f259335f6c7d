// A module that loads but exports none of the server entry points.
extern "C" int ComTestNothingHere() {
  return 0;
}
