/* A client library with every entry point the connection needs, built for 32-bit Windows: a
   64-bit program cannot load it. */
void* PQconnectdb(const char* conninfo) {
    (void)conninfo;
    return 0;
}
int PQstatus(const void* conexao) {
    (void)conexao;
    return 1;
}
char* PQerrorMessage(const void* conexao) {
    (void)conexao;
    return 0;
}
void PQfinish(void* conexao) {
    (void)conexao;
}
