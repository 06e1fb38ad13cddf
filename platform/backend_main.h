// The program's entry on the backend chosen at build time (the MORVANE_BACKEND option). The
// program's main() calls it once, after static initialisation has made the application
// object. Each backend implements it in its own folder: it sets up its toolkit, installs its
// IWindowSystem, runs AfxWinMain around its message loop and tidies up after it.
#pragma once

// argc and argv are main()'s, for toolkits that want them; the program reads no command
// line itself. Returns the process exit status: the message loop's code, or 1 when the
// start-up failed (then no window was shown).
int AfxBackendMain(int argc, char** argv);
