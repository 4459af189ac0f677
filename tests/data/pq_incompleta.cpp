// Stands in for a client library of the wrong kind: it has two of the four functions the
// connection needs, and they are never called.

extern "C" {

void* PQconnectdb(const char*) {
    return nullptr;
}

char* PQerrorMessage(const void*) {
    return nullptr;
}
}
