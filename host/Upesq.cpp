#include "host/Upesq.h"

host::ui::FormVar<TfmPesquisa> fmPesquisa("fmPesquisa");
