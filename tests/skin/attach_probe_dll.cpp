// A 64-bit DLL for the loader's test, built without the C runtime. It reports its attach, detach
// and SkinH_AttachRes calls to Record, which it imports from the test program.
extern "C" {
__declspec(dllimport) void Record(const char* event, const char* skin, int size,
                                  const char* password, int hue, int saturation, int brightness);

// The entry point reads its event names through this table of absolute addresses, so it runs
// right only where the loader applied the DIR64 relocations.
const char* const kEvents[] = {"detach", "attach"};

int DllEntry(void*, unsigned long reason, void*) {
  if (reason < 2)
    Record(kEvents[reason], "", 0, "", 0, 0, 0);
  return 1;
}

__declspec(dllexport) int SkinH_AttachRes(const char* skin, int size, const char* password, int hue,
                                          int saturation, int brightness) {
  Record("SkinH_AttachRes", skin, size, password, hue, saturation, brightness);
  return 1;
}
}
