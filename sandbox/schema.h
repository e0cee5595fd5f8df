#pragma once

#include "sandbox/database.h"

namespace sandbox {

// Creates the tables and indices that are missing; an existing database keeps its rows.
void CreateSchema(Database& db);

}  // namespace sandbox
