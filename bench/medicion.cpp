#include "bench/medicion.h"

#include <dirent.h>
#include <linux/tcp.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace velmora::banco {

int PuertoServidor() {
    static const int puerto = [] {
        const char* servidor = std::getenv("VELMORA_PRUEBAS_SERVIDOR");
        const std::string s = servidor ? servidor : "";
        const size_t barra = s.find('/');
        return barra == std::string::npos ? 3050 : std::atoi(s.c_str() + barra + 1);
    }();
    return puerto;
}


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

namespace {

// Data segments sent so far by each of this process's sockets connected to the server.
std::map<unsigned long, long> SegmentosPorSocket() {
    std::map<unsigned long, long> r;
    DIR* d = opendir("/proc/self/fd");
    if (!d) return r;
    const int propio = dirfd(d);
    while (dirent* e = readdir(d)) {
        const int fd = std::atoi(e->d_name);
        if (e->d_name[0] == '.' || fd == propio) continue;
        char destino[64] = {};
        const std::string enlace = std::string("/proc/self/fd/") + e->d_name;
        const ssize_t n = readlink(enlace.c_str(), destino, sizeof destino - 1);
        unsigned long inodo = 0;
        if (n <= 0 || std::sscanf(destino, "socket:[%lu]", &inodo) != 1) continue;
        sockaddr_storage par{};
        socklen_t largo = sizeof par;
        if (getpeername(fd, reinterpret_cast<sockaddr*>(&par), &largo) != 0) continue;
        int puerto = -1;
        if (par.ss_family == AF_INET)
            puerto = ntohs(reinterpret_cast<sockaddr_in*>(&par)->sin_port);
        else if (par.ss_family == AF_INET6)
            puerto = ntohs(reinterpret_cast<sockaddr_in6*>(&par)->sin6_port);
        if (puerto != PuertoServidor()) continue;
        tcp_info info{};
        socklen_t li = sizeof info;
        if (getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &li) != 0 ||
            li < offsetof(tcp_info, tcpi_data_segs_out) + sizeof info.tcpi_data_segs_out)
            continue;
        r[inodo] = long(info.tcpi_data_segs_out);
    }
    closedir(d);
    return r;
}

}  // namespace

ContadorSegmentos::ContadorSegmentos() : inicial_(SegmentosPorSocket()), ultimo_(inicial_) {
    hilo_ = std::thread([this] {
        while (seguir_) {
            leer();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
}

ContadorSegmentos::~ContadorSegmentos() {
    parar();
}

void ContadorSegmentos::leer() {
    for (const auto& [inodo, segmentos] : SegmentosPorSocket()) ultimo_[inodo] = segmentos;
}

long ContadorSegmentos::parar() {
    if (hilo_.joinable()) {
        seguir_ = false;
        hilo_.join();
        leer();
    }
    long total = 0;
    for (const auto& [inodo, segmentos] : ultimo_) {
        const auto antes = inicial_.find(inodo);
        total += segmentos - (antes == inicial_.end() ? 0 : antes->second);
    }
    return total;
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
