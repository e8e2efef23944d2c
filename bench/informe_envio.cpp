// The tables of banco_envio.
#include <cstdio>

#include "bench/escenarios.h"
#include "bench/informe.h"

namespace velmora::banco {

namespace {

// The sides of one configuration, repeated: run, floor per entry, floor per apply.
std::vector<std::vector<Medida>> Medir(const Opciones& o, ConfiguracionEnvio c) {
    auto lado = [&](bool medido, Lado l) -> std::function<Medida()> {
        if (!medido) return nullptr;
        return [c, l]() mutable {
            c.lado = l;
            return MedirEnvio(c);
        };
    };
    return Repetir(o.repeticiones,
                   {lado(o.corrida, Lado::Corrida), lado(o.pisoEntrada, Lado::PisoPorEntrada),
                    lado(o.pisoAplicacion, Lado::PisoPorAplicacion)});
}

}  // namespace

void TablaEnvio(const Opciones& o) {
    const Lote lote{o.carga, o.documentos, o.detalles};
    std::printf("## %s: %d journal entries, %d detail rows per document, %d run(s) per side\n\n",
                NombreCarga(o.carga), o.documentos, o.detalles, o.repeticiones);
    std::printf("%-33s | %-35s | %-42s | %s\n", "", "run", "floor, one commit per entry",
                "floor, one commit per apply");
    std::printf(
        "%-9s %-15s %7s | %8s %8s %9s %7s | %8s %8s %9s %7s %6s | %8s %8s %9s %7s %6s %6s\n",
        "access", "mode", "rows", "run s", "docs/s", "CPU s", "RSS MiB", "floor s", "docs/s",
        "CPU s", "RSS MiB", "ratio", "floor s", "docs/s", "CPU s", "RSS MiB", "gain", "best");
    for (Acceso acceso : o.accesos) {
        for (bool enLinea : o.modos) {
            const auto ms = Medir(o, {acceso, enLinea, lote, Lado::Corrida});
            const auto &corridas = ms[0], &porEntrada = ms[1], &porAplicacion = ms[2];
            const long filas = lote.filasDocumento() + (enLinea ? 0 : lote.entradas);
            std::printf(
                "%-9s %-15s %7ld | %s | %s %s | %s %s %s\n", NombreAccesoCorto(acceso),
                NombreModo(enLinea), filas, ColumnasLado(corridas).c_str(),
                ColumnasLado(porEntrada).c_str(), ColumnaRazon(porEntrada, corridas).c_str(),
                ColumnasLado(porAplicacion).c_str(), ColumnaRazon(porAplicacion, corridas).c_str(),
                ColumnaRazon(porAplicacion, porEntrada).c_str());
            Notas("run", corridas);
            Notas("floor per entry", porEntrada);
            Notas("floor per apply", porAplicacion);
            std::fflush(stdout);
        }
    }
    std::printf("\n");
}

void EscalaEnvio(const Opciones& o) {
    std::printf(
        "## scaling: sales invoices of %d detail row(s), one per journal entry: per entry a trail\n"
        "## line, a source header, a look-up, the header and its details%s, a commit and a "
        "mark\n\n",
        o.detalles, o.modos.size() == 1 && !o.modos[0] ? ", the journal row copy" : "");
    std::printf("%-9s %-15s %8s | %8s %9s %7s | %8s %9s %7s | %6s\n", "access", "mode", "entries",
                "run s", "us/entry", "RSS MiB", "floor s", "us/entry", "RSS MiB", "ratio");
    for (Acceso acceso : o.accesos) {
        for (bool enLinea : o.modos) {
            std::vector<double> costos, costosPiso;
            for (int n : o.tamanos) {
                const auto ms = Medir(
                    o, {acceso, enLinea, Lote{Carga::Facturas, n, o.detalles}, Lado::Corrida});
                const std::string c1 = ColumnasEscala(ms[0], n, costos);
                const std::string c2 = ColumnasEscala(ms[1], n, costosPiso);
                std::printf("%-9s %-15s %8d | %s | %s | %s\n", NombreAccesoCorto(acceso),
                            NombreModo(enLinea), n, c1.c_str(), c2.c_str(),
                            ColumnaRazon(ms[1], ms[0]).c_str());
                Notas("run", ms[0]);
                Notas("floor per entry", ms[1]);
                std::fflush(stdout);
            }
            if (o.tamanos.size() >= 2)
                std::printf("%-9s %-15s cost per entry at %d / at %d entries: run %s, floor %s\n",
                            NombreAccesoCorto(acceso), NombreModo(enLinea), o.tamanos.back(),
                            o.tamanos.front(), Crecimiento(costos).c_str(),
                            Crecimiento(costosPiso).c_str());
        }
    }
    std::printf("\n");
}

}  // namespace velmora::banco
