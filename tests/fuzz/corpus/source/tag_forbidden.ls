{LSF}
{BODY}
A = a
{HEADER}
