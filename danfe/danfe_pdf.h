#pragma once

#include <string>

#include "danfe/invoice.h"

namespace danfe {

struct Marks {
    bool cancelled = false;  // "CANCELADA" across every sheet
};

// The portrait A4 DANFE of invoice as a PDF, with its fonts embedded. Needs a
// QGuiApplication (GuiSession). Throws Error.
std::string DanfePdf(const Invoice& invoice, const Marks& marks = {});

}  // namespace danfe
