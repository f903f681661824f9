// The program with its service address taken from QUORVEL_TEST_API_URL: for tests only.

#include "run.h"
#include "serviceapi.h"

int main(int argc, char *argv[])
{
    ServiceApi::setApiBaseUrl(qEnvironmentVariable("QUORVEL_TEST_API_URL"));
    return runQuorvel(argc, argv);
}
