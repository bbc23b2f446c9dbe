// The real window: the framework's gadgets drawn by GTK 3.
#pragma once

#include "framework/Framework.h"

#include <memory>
#include <string>

// The real window. Returns null, with a one-line reason in `error`, when no
// graphical display can be opened.
std::unique_ptr<Backend> CreateGtkBackend(std::string& error);
