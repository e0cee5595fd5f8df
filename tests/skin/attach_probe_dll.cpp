// A 64-bit DLL for the loader's test, built without the C runtime. It reports its attach, detach
// and SkinH_AttachRes calls to Record, which it imports from the test program; passing the other
// arguments on is the compiler's business, not the loader's.
extern "C" {
__declspec(dllimport) void Record(const char* event, const char* skin);

// The entry point reads its event names through this table of absolute addresses, so it runs
// right only where the loader applied the DIR64 relocations.
const char* const kEvents[] = {"detach", "attach"};

int DllEntry(void*, unsigned long reason, void*) {
  if (reason < 2)
    Record(kEvents[reason], "");
  return 1;
}

__declspec(dllexport) int SkinH_AttachRes(const char* skin, int, const char*, int, int, int) {
  Record("SkinH_AttachRes", skin);
  return 1;
}
}
