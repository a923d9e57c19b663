// SPDX-License-Identifier: MIT
// The forms name the Windows faces; this maps them onto the installed Japanese
// ones. Called once at start-up, before anything is drawn.
#pragma once

void SubstituteJapaneseFaces();
