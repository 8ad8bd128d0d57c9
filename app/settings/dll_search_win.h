// Where the program looks for libraries: only in the system folder, and a library it loads on first use by
// its absolute path there. Runs first, before anything can load a library.
#pragma once

void RestrictLibrarySearch();
