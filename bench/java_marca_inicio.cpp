// Stands in for "java" in the launch benchmark: writes the moment it started (steady clock, in
// nanoseconds) to the file named by BENCH_MARCA_INICIO and ends.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main() {
    const auto agora = std::chrono::steady_clock::now().time_since_epoch();
    const char* arquivo = std::getenv("BENCH_MARCA_INICIO");
    if (!arquivo)
        return 1;
    const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(agora).count();
    // Written under another name and renamed, so that the reader never sees half a number.
    const std::string temporario = std::string(arquivo) + ".tmp";
    FILE* saida = std::fopen(temporario.c_str(), "w");
    if (!saida)
        return 1;
    std::fprintf(saida, "%lld\n", ns);
    std::fclose(saida);
    return std::rename(temporario.c_str(), arquivo) == 0 ? 0 : 1;
}
