// The forms name the Windows faces; this maps them onto the installed Japanese ones.
#pragma once

void SubstituteJapaneseFaces();
