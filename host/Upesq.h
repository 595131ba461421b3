#pragma once
// The host's generic search window (unit Upesq) and its variable fmPesquisa,
// which the packages fill with the search windows they build themselves.

#include "host/ui/SearchWindow.h"
#include "host/ui/WindowRegistry.h"

using TfmPesquisa = host::ui::SearchWindow;

extern host::ui::FormVar<TfmPesquisa> fmPesquisa;
