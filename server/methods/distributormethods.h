#pragma once

class DistributorService;
class MethodRegistry;

// Glues the 50 server methods the client calls onto the RPC registry: each handler reads
// its arguments by position, calls the service and sets the out values and the result.
class DistributorMethods
{
public:
    static void registerAll(MethodRegistry &registry, DistributorService &service);
};
