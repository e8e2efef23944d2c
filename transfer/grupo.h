// How many journal entries share one commit of the target. Each entry stands behind its own
// savepoint, so a group changes nothing of what an entry takes effect as; it only spares
// the synchronous page writes of a commit per entry, and the round trips of its start.
#pragma once

#include <chrono>

namespace velmora {

// A group is committed when it holds this many entries, or has been open this long,
// whichever comes first (and before every question, at a stop and at the end of the run).
inline constexpr int kEntradasPorGrupo = 64;
inline constexpr std::chrono::milliseconds kDuracionGrupo{1000};

}  // namespace velmora
