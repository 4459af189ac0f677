// A server that never answers: it listens on a free port of 127.0.0.1, prints the port, accepts
// every connection and then says nothing, as a hung server or a proxy that swallows the traffic.
// Runs until it is killed.
//   ouvinte_mudo
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

int main() {
    const int ouvinte = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in endereco{};
    endereco.sin_family = AF_INET;
    endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t tamanho = sizeof endereco;
    if (ouvinte < 0 ||
        bind(ouvinte, reinterpret_cast<sockaddr*>(&endereco), sizeof endereco) != 0 ||
        listen(ouvinte, 16) != 0 ||
        getsockname(ouvinte, reinterpret_cast<sockaddr*>(&endereco), &tamanho) != 0) {
        std::perror("ouvinte_mudo");
        return 1;
    }
    std::printf("%u\n", ntohs(endereco.sin_port));
    std::fflush(stdout);
    std::vector<int> conexoes; // kept open, never read or written
    for (;;) {
        const int conexao = accept(ouvinte, nullptr, nullptr);
        if (conexao >= 0)
            conexoes.push_back(conexao);
    }
}
