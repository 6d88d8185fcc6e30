#pragma once

namespace suite {

class EmpresaVarnex;

// Files for other systems are written in Windows-1252, unless the company parameter
// "PagoCentral_FicherosUTF8" is true, for companies whose receiving machines read UTF-8.
bool FicherosEnUtf8(const EmpresaVarnex &empresa);

} // namespace suite
