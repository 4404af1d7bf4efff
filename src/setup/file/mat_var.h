#pragma once
// Small helpers over libmatio's variables, shared by the reader and the writer.

#include <matio.h>

#include <memory>

namespace zuv::setupfile {

struct MatVarFree {
  void operator()(matvar_t* v) const { Mat_VarFree(v); }
};
using MatVar = std::unique_ptr<matvar_t, MatVarFree>;

struct MatClose {
  void operator()(mat_t* m) const { Mat_Close(m); }
};
using MatFile = std::unique_ptr<mat_t, MatClose>;

// libmatio reports problems through a log function that writes to standard
// error; the program reports them itself, so the library is kept quiet.
void QuietMatioLog();

}  // namespace zuv::setupfile
