{LSF}
{HEADER}
OUTFILE = missing\app.lng
{/HEADER}
{/LSF}
