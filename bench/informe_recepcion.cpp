// The tables of banco_recepcion.
#include <cstdio>

#include "bench/escenarios.h"
#include "bench/informe.h"

namespace velmora::banco {

namespace {

// A transfer file of the workload, prepared once; stops the program when the send that
// prepares it fails or leaves a file that does not hold the workload.
std::string Preparar(const CarpetaTemporal& carpeta, const Lote& lote) {
    const std::string ruta =
        carpeta.ruta(std::string(NombreCarga(lote.carga)) + "-" + std::to_string(lote.entradas) +
                     "-" + std::to_string(lote.detalles) + ".fdb");
    const Medida m = PrepararArchivo(lote, ruta);
    if (!m.hecha || !m.verificada)
        throw std::runtime_error(std::string("preparing the transfer file: ") + m.nota);
    return ruta;
}

// The sides of one configuration, repeated: run, floor.
std::vector<std::vector<Medida>> Medir(const Opciones& o, ConfiguracionRecepcion c) {
    auto lado = [&](bool medido, Lado l) -> std::function<Medida()> {
        if (!medido) return nullptr;
        return [c, l]() mutable {
            c.lado = l;
            return MedirRecepcion(c);
        };
    };
    return Repetir(o.repeticiones,
                   {lado(o.corrida, Lado::Corrida), lado(o.pisoEntrada, Lado::PisoPorEntrada)});
}

}  // namespace

void TablaRecepcion(const Opciones& o) {
    const Lote lote{o.carga, o.documentos, o.detalles};
    std::printf("## %s: %d journal entries, %d detail rows per document, %d run(s) per side\n\n",
                NombreCarga(o.carga), o.documentos, o.detalles, o.repeticiones);
    CarpetaTemporal carpeta;
    const std::string archivo = Preparar(carpeta, lote);
    std::printf("%-9s %-9s %7s | %8s %8s %9s %7s | %8s %8s %9s %7s | %6s\n", "access", "workload",
                "rows", "run s", "docs/s", "CPU s", "RSS MiB", "floor s", "docs/s", "CPU s",
                "RSS MiB", "ratio");
    for (Acceso acceso : o.accesos) {
        const auto ms = Medir(o, {acceso, lote, Lado::Corrida, archivo});
        const long filas = lote.filasDocumento();
        std::printf("%-9s %-9s %7ld | %s | %s | %s\n", NombreAccesoCorto(acceso),
                    NombreCarga(o.carga), filas, ColumnasLado(ms[0]).c_str(),
                    ColumnasLado(ms[1]).c_str(), ColumnaRazon(ms[1], ms[0]).c_str());
        Notas("run", ms[0]);
        Notas("floor", ms[1]);
        std::fflush(stdout);
    }
    std::printf("\n");
}

void EscalaRecepcion(const Opciones& o) {
    std::printf(
        "## scaling: sales invoices of %d detail row(s), one per journal entry: per entry a "
        "source\n"
        "## header, a look-up, a new id, the header and its details and a commit\n\n",
        o.detalles);
    std::printf("%-9s %8s | %8s %9s %7s | %8s %9s %7s | %6s\n", "access", "entries", "run s",
                "us/entry", "RSS MiB", "floor s", "us/entry", "RSS MiB", "ratio");
    CarpetaTemporal carpeta;
    std::vector<std::string> archivos;
    for (int n : o.tamanos) archivos.push_back(Preparar(carpeta, {Carga::Facturas, n, o.detalles}));
    for (Acceso acceso : o.accesos) {
        std::vector<double> costos, costosPiso;
        for (size_t i = 0; i < o.tamanos.size(); ++i) {
            const int n = o.tamanos[i];
            const auto ms =
                Medir(o, {acceso, {Carga::Facturas, n, o.detalles}, Lado::Corrida, archivos[i]});
            const std::string c1 = ColumnasEscala(ms[0], n, costos);
            const std::string c2 = ColumnasEscala(ms[1], n, costosPiso);
            std::printf("%-9s %8d | %s | %s | %s\n", NombreAccesoCorto(acceso), n, c1.c_str(),
                        c2.c_str(), ColumnaRazon(ms[1], ms[0]).c_str());
            Notas("run", ms[0]);
            Notas("floor", ms[1]);
            std::fflush(stdout);
        }
        if (o.tamanos.size() >= 2)
            std::printf("%-9s cost per entry at %d / at %d entries: run %s, floor %s\n",
                        NombreAccesoCorto(acceso), o.tamanos.back(), o.tamanos.front(),
                        Crecimiento(costos).c_str(), Crecimiento(costosPiso).c_str());
    }
    std::printf("\n");
}

}  // namespace velmora::banco
