#pragma once

// For the fuzz targets that realise fonts: fontconfig loses a block while it reads its
// configuration, and the leak check libFuzzer runs after an input that allocated more
// than it freed finds it sooner or later. Its frames end in the library (which keeps no
// frame pointers), so the library is what the suppression names. Not ours. This defines
// the program's suppressions: a target includes it once.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
