#include "bench/medicion.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>

namespace velmora::banco {

long RssKiB() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

double CpuSegundos() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return double(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
           double(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
}

std::string CargaDelSistema() {
    double c[3] = {};
    if (getloadavg(c, 3) < 1) return "?";
    char t[32];
    std::snprintf(t, sizeof t, "%.2f", c[0]);
    return t;
}

Medida Mediana(std::vector<Medida> ms) {
    std::sort(ms.begin(), ms.end(),
              [](const Medida& a, const Medida& b) { return a.segundos < b.segundos; });
    for (const Medida& m : ms)
        if (!m.hecha) return m;
    Medida r = ms[ms.size() / 2];
    for (const Medida& m : ms) r.rssKiB = std::max(r.rssKiB, m.rssKiB);
    return r;
}

std::optional<double> Razon(const std::vector<Medida>& numerador,
                            const std::vector<Medida>& denominador) {
    if (numerador.empty() || numerador.size() != denominador.size()) return std::nullopt;
    std::vector<double> r;
    for (size_t i = 0; i < numerador.size(); ++i) {
        const Medida &n = numerador[i], &d = denominador[i];
        if (!n.hecha || !d.hecha || !n.verificada || !d.verificada || n.fallidas || d.fallidas)
            return std::nullopt;
        r.push_back(n.segundos / d.segundos);
    }
    std::sort(r.begin(), r.end());
    return r[r.size() / 2];
}

std::vector<std::vector<Medida>> Repetir(int veces,
                                         const std::vector<std::function<Medida()>>& lados) {
    std::vector<std::vector<Medida>> medidas(lados.size());
    for (int r = 0; r < veces; ++r)
        for (size_t i = 0; i < lados.size(); ++i) {
            const size_t lado = (i + size_t(r)) % lados.size();
            if (lados[lado]) medidas[lado].push_back(lados[lado]());
        }
    return medidas;
}

}  // namespace velmora::banco
