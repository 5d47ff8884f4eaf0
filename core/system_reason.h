// core/system_reason.h — the system's reason for a failed file operation, in French, for messages.
#pragma once

#include <string>

// A short French text for an errno value ("disque plein", "permission refusée", …); g_strerror's text for
// the codes a file operation seldom gives.
std::string system_reason(int error);
