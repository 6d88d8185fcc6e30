#pragma once

#include "accounting/EscritorAsiento.h"
#include "accounting/FicheroSage200.h"
#include "accounting/RelojFicheros.h"

#include <optional>
#include <string>
#include <vector>

namespace host {
class Shell;
}

namespace accounting {

// The entries of one statement as the two files Sage 200 imports from the result folder: the
// registration file (the registration entries, each statement line closed by the record that
// registers the central's invoice) and the payment file (the payment entry). Both are composed in
// memory and written when the payment entry ends, so a statement that fails leaves no half files.
class EscritorSage200 : public EscritorAsiento {
  public:
    // `escritos` receives the path of every file written.
    EscritorSage200(host::Shell &shell, std::string carpeta, std::string extracto, short almacen,
                    RelojFicheros reloj, std::vector<std::string> &escritos);

    void Empezar(Parte parte) override;
    void Terminar(Parte parte) override;
    long NuevoAsiento(const suite::Fecha &fecha) override;
    int Apunte(const ApunteAsiento &apunte) override;
    int CerrarLinea(const ApunteAsiento &apunte, const LineaCerrada &linea) override;
    // Sage 200 keeps its own register of received invoices.
    void Registro(const FacturaRecibida &, const std::string &, int) override {}

    // The next registration number of `serie` ("IMP" when empty) in the fiscal year of `fecha`,
    // stored when `avanzar`; a closed year is refused.
    long Dev_Codigo(bool avanzar, std::string serie, const suite::Fecha &fecha);
    // The department code of a warehouse, empty for most.
    static std::string Dev_CodigoAlmacen(short almacen);
    // "############0.00": two decimals, a point whatever the locale, a leading minus.
    static std::string Importe(suite::Moneda importe);

  private:
    FicheroSage200 &Actual();
    void CamposComunes(FicheroSage200 &f, const ApunteAsiento &a, const std::string &descripcion);

    host::Shell &shell_;
    std::string carpeta_, extracto_;
    short almacen_;
    RelojFicheros reloj_;
    std::vector<std::string> &escritos_;
    bool utf8_;
    std::optional<FicheroSage200> registro_, pago_;
    Parte parte_ = Parte::Registro;
    long asiento_ = 0;
    suite::Fecha fecha_;
};

} // namespace accounting
