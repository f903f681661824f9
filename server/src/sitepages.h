#pragma once

// The web site's pages the program links to: registration, and the page a social login lands
// on, where a signed-in person gets the one-time code the program asks for.

#include "httpmessage.h"

struct ServiceContext;

class SitePages
{
public:
    explicit SitePages(const ServiceContext &context) : context(context) {}

    // False when the path is no page of the site.
    bool serve(const HttpRequest &request, HttpResponse *page);

private:
    HttpResponse registerPage(const HttpRequest &request);
    HttpResponse codePage(const HttpRequest &request);

    const ServiceContext &context;
};
