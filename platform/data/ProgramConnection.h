#pragma once
// The program's open database as the print and report libraries reach it. The libraries are
// handed only the application object, so they find the connection by its names: the data
// module "DataModule1" registers itself as a component and owns "ADOConnection1".
namespace data {

class Connection;

// The connection of the program's data module, open. Throws data::Error when the program has
// no data module, the module has no such connection, or the connection is closed: a printout
// or report without a database has nothing to show.
Connection& programConnection();

} // namespace data
