#pragma once

namespace vela {

// Tells the user, on standard error, that no game controller was found: once per
// program run at most, however many input managers the program makes.
void ReportNoControllerFound();

}  // namespace vela
