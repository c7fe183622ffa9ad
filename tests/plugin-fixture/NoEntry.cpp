// A shared library that loads but carries no VST entry.
extern "C" int quillmarFixtureWithoutEntry() { return 0; }
