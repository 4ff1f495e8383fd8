{lsf}
  # comment
{header}
{/header}
{body}
{/body}
{/lsf}
