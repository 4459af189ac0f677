#include "platform/processo.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

// In a child of its own, so that the test process stays as it was.
TEST(ProtegerMemoriaDoProcesso, OProcessoDeixaDeSerDespejavel) {
    const pid_t filho = fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        plataforma::protegerMemoriaDoProcesso();
        _exit(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0));
    }
    int estado = 0;
    ASSERT_EQ(waitpid(filho, &estado, 0), filho);
    ASSERT_TRUE(WIFEXITED(estado));
    EXPECT_EQ(WEXITSTATUS(estado), 0);
}
#endif
