// The run-time values shared by the whole program for one run (see
// run_values.h), with their values before start-up sets them.
#include "app/run_values.h"

uint32_t h = 0;
int32_t dw = 10;
int32_t dc = 10;
std::wstring pcbdir;
std::wstring pcbname;
std::wstring version;
std::wstring bild;
std::wstring autopcad;
